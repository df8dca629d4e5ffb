#pragma once

// Golden files under tests/data: what a test produces is compared with the file, which the
// golden-update build (MIROVALE_UPDATE_GOLDEN) rewrites instead.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace mirovale::testing {

inline std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Compares `bytes` with data/<name>, naming the first byte that differs.
inline void expectGolden(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path golden = std::filesystem::path(MIROVALE_TEST_DATA_DIR) / name;
    if (MIROVALE_UPDATE_GOLDEN) return writeBytes(golden, bytes);
    const std::vector<std::uint8_t> expected = readBytes(golden);
    ASSERT_EQ(bytes.size(), expected.size()) << name;
    const auto diff = std::mismatch(bytes.begin(), bytes.end(), expected.begin());
    EXPECT_TRUE(diff.first == bytes.end())
        << name << " differs at byte " << diff.first - bytes.begin();
}

// Compares a text with data/<name>, showing both when they differ.
inline void expectGoldenText(const std::string& name, const std::string& text) {
    const std::filesystem::path golden = std::filesystem::path(MIROVALE_TEST_DATA_DIR) / name;
    if (MIROVALE_UPDATE_GOLDEN)
        return writeBytes(golden, std::vector<std::uint8_t>(text.begin(), text.end()));
    const std::vector<std::uint8_t> expected = readBytes(golden);
    EXPECT_EQ(text, std::string(expected.begin(), expected.end())) << name;
}

}  // namespace mirovale::testing
