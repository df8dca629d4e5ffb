// Fuzzing the image writers: an image of arbitrary size, depth, colours and background is saved
// as BMP and PCX and read back. The BMP rows must be the image's rows, bottom row first, with
// the header's sizes; every PCX line must decode to the image's background map.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/export/bitmap_file.h"
#include "core/export/pcx_file.h"
#include "core/host/pixel_image.h"
#include "core/host/recording_host.h"
#include "fuzz_input.h"

using namespace mirovale;

namespace {

void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "image writers: %s\n", what);
    std::abort();
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t word(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
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

void checkBmp(const std::vector<std::uint8_t>& file, const PixelImage& image) {
    const std::size_t row = rowBytes(image.width(), image.bitsPerPixel());
    const std::size_t offset = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
    check(file.size() >= offset && file[0] == 'B' && file[1] == 'M', "BMP header");
    check(word(file, 2) == file.size() && word(file, 10) == offset, "BMP file size or offset");
    check(word(file, 18) == static_cast<std::uint32_t>(image.width()) &&
              word(file, 22) == static_cast<std::uint32_t>(image.height()),
          "BMP size");
    check(file.size() >= offset + row * static_cast<std::size_t>(image.height()), "BMP rows");
    std::vector<std::uint8_t> expected(row);
    for (int y = 0; y < image.height(); ++y) {
        check(image.readRow(y, expected), "row of the image");
        const auto at = file.begin() + static_cast<std::ptrdiff_t>(
                                           offset + row * static_cast<std::size_t>(image.height() - 1 - y));
        check(std::equal(expected.begin(), expected.end(), at), "BMP row differs from the image");
    }
}

void checkPcx(const std::vector<std::uint8_t>& file, const PixelImage& image) {
    const std::size_t bytesPerLine = pcxBytesPerLine(image.width());
    check(file.size() >= kPcxHeaderSize &&
              static_cast<std::size_t>(file[66] | file[67] << 8) == bytesPerLine,
          "PCX header");
    std::size_t at = kPcxHeaderSize;
    for (int y = 0; y < image.height(); ++y) {
        std::vector<std::uint8_t> line;
        while (line.size() < bytesPerLine && at < file.size()) {
            const std::uint8_t b = file[at++];
            const std::size_t run = b >= 192 ? b - 192u : 1;
            check(b < 192 || at < file.size(), "PCX run without its byte");
            const std::uint8_t value = b >= 192 ? file[at++] : b;
            line.insert(line.end(), run, value);
        }
        check(line.size() == bytesPerLine, "PCX run crosses a line");
        for (std::size_t x = 0; x < 8 * bytesPerLine; ++x) {
            const bool bit = (line[x / 8] >> (7 - x % 8)) & 1;
            const bool background = x >= static_cast<std::size_t>(image.width()) ||
                                    image.pixel(static_cast<int>(x), y) == image.background();
            check(bit == background, "PCX pixel differs from the background map");
        }
    }
    check(at == file.size(), "PCX bytes after the last line");
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
    checkBmp(readFile(bmp), image);
    checkPcx(readFile(pcx), image);
    return 0;
}
