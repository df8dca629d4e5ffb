// Fuzzing the image writers: an image of arbitrary size, depth, colours and background is saved
// as BMP and PCX and read back. The BMP rows must be the image's rows, bottom row first, with
// the header's sizes; every PCX line must decode to the image's background map.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "../export/image_checks.h"
#include "core/export/bitmap_file.h"
#include "core/export/pcx_file.h"
#include "core/host/pixel_image.h"
#include "core/host/recording_host.h"
#include "fuzz_input.h"

using namespace mirovale;

namespace {

void check(bool condition, const std::string& what) {
    if (condition) return;
    std::fprintf(stderr, "image writers: %s\n", what.c_str());
    std::abort();
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A picture of a few colours, so that runs and the background both come up.
PixelImage drawImage(fuzz::FuzzInput& input) {
    const int width = 1 + static_cast<int>(input() % 3000);
    const int height = 1 + static_cast<int>(input() % 24);
    const Colour colours[] = {kWhite, kBlack, {0, 0, 255}, {163, 163, 163}, {255, 0, 0}};
    PixelImage image(width, height, kWhite, input.byte() % 2 ? 24 : 32);
    image.backgroundColour = colours[input.byte() % std::size(colours)];
    for (int y = 0; y < height && !input.exhausted(); ++y) {
        for (int x = 0; x < width && !input.exhausted();) {
            const int run = 1 + input.byte() % 64;
            const Colour c = colours[input.byte() % std::size(colours)];
            for (int k = 0; k < run && x < width; ++k, ++x) image.setPixel(x, y, c);
        }
    }
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("mirovale-export-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    fuzz::FuzzInput input(data, size);
    const PixelImage image = drawImage(input);
    RecordingHost host;
    const auto info = makeBitmapInfo(host, image);
    check(info.has_value(), "no info block");
    const std::filesystem::path bmp = folder / "image.bmp";
    const std::filesystem::path pcx = folder / "image.pcx";
    check(writeBmpFile(host, bmp.string(), *info, image) == 1, "BMP not written");
    check(writePcxFile(host, pcx.string(), image) == 1, "PCX not written");
    check(host.messages.empty(), "a message while writing");
    const std::string bmpFault = testing::bmpFault(readFile(bmp), image);
    check(bmpFault.empty(), bmpFault);
    const std::string pcxFault = testing::pcxFault(readFile(pcx), image);
    check(pcxFault.empty(), pcxFault);
    return 0;
}
