#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/host/pixel_image.h"

namespace mirovale::testing {

namespace fs = std::filesystem;

// A fresh empty folder, removed with its contents at the end of the test.
class ScratchFolder {
public:
    ScratchFolder() {
        std::random_device entropy;
        path_ = fs::temp_directory_path() / ("mirovale-export-" + std::to_string(entropy()));
        fs::create_directories(path_);
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    [[nodiscard]] std::string file(const std::string& name) const {
        return (path_ / name).string();
    }
    // Names of the entries in the folder, sorted.
    [[nodiscard]] std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path path_;
};

inline std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Compares `bytes` with the golden file data/export/<name>; the golden-update build rewrites it.
inline void expectGolden(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path golden = fs::path(MIROVALE_TEST_DATA_DIR) / "export" / name;
    if (MIROVALE_UPDATE_GOLDEN) {
        fs::create_directories(golden.parent_path());
        writeBytes(golden, bytes);
        return;
    }
    const std::vector<std::uint8_t> expected = readBytes(golden);
    ASSERT_EQ(bytes.size(), expected.size()) << name;
    const auto diff = std::mismatch(bytes.begin(), bytes.end(), expected.begin());
    EXPECT_TRUE(diff.first == bytes.end())
        << name << " differs at byte " << diff.first - bytes.begin();
}

// Files written from now on may not grow past `limit` bytes; writing past it fails (the signal
// it would raise is ignored) until the object is destroyed.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t limit) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lowered = old_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~ScopedFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    rlimit old_{};
};

// A picture with a few colours on white: a black frame corner, a red and a blue pixel.
inline PixelImage samplePicture(int width, int height, int bits) {
    PixelImage image(width, height, kWhite, bits);
    for (int x = 0; x < width; x += 2) image.setPixel(x, 0, kBlack);
    for (int y = 0; y < height; ++y) image.setPixel(0, y, kBlack);
    image.setPixel(width - 1, height - 1, {200, 16, 32});
    image.setPixel(width / 2, height / 2, {10, 20, 230});
    return image;
}

}  // namespace mirovale::testing
