#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace mirovale::testing {

// Compares a canvas transcript with data/display/<name>.txt, or rewrites that file when the
// build was configured with MIROVALE_UPDATE_GOLDEN.
inline void expectGoldenTranscript(const std::string& name, const std::string& transcript) {
    std::string path = MIROVALE_TEST_DATA_DIR;
    path.append("/display/").append(name).append(".txt");
    if (MIROVALE_UPDATE_GOLDEN) {
        std::ofstream(path, std::ios::binary) << transcript;
        return;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << "missing golden file " << path;
    std::ostringstream golden;
    golden << file.rdbuf();
    EXPECT_EQ(transcript, golden.str()) << "transcript differs from " << path;
}

}  // namespace mirovale::testing
