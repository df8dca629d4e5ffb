#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/host/pixel_image.h"
#include "golden.h"

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
