#pragma once

// What a saved BMP or PCX file must be for the image it was written from, shared by the
// writers' tests and their fuzzer: each check describes the first fault, or is empty.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/export/bitmap_file.h"
#include "core/export/pcx_file.h"
#include "core/host/pixel_source.h"

namespace mirovale::testing {

inline std::uint32_t fileWord(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The headers' sizes, and the image's rows bottom row first after the palette.
inline std::string bmpFault(const std::vector<std::uint8_t>& file, const PixelSource& image) {
    const std::size_t offset =
        kBitmapFileHeaderSize + kBitmapInfoHeaderSize + 4 * image.palette().size();
    const std::size_t row = rowBytes(image.width(), image.bitsPerPixel());
    const auto height = static_cast<std::size_t>(image.height());
    if (file.size() < offset + row * height || file[0] != 'B' || file[1] != 'M')
        return "BMP too short or not a BMP";
    if (fileWord(file, 2) != file.size() || fileWord(file, 10) != offset)
        return "BMP file size or offset";
    if (fileWord(file, 18) != static_cast<std::uint32_t>(image.width()) ||
        fileWord(file, 22) != height)
        return "BMP width or height";
    std::vector<std::uint8_t> expected(row);
    for (std::size_t y = 0; y < height; ++y) {
        if (!image.readRow(static_cast<int>(y), expected)) return "no row " + std::to_string(y);
        if (!std::equal(
                expected.begin(), expected.end(),
                file.begin() + static_cast<std::ptrdiff_t>(offset + row * (height - 1 - y))))
            return "BMP row " + std::to_string(y) + " differs from the image";
    }
    return {};
}

// Every line decodes, no run crossing its end, to the background map: a pixel's bit is set
// exactly where the image shows its background, and the padding bits are set.
inline std::string pcxFault(const std::vector<std::uint8_t>& file, const PixelSource& image) {
    const std::size_t bytesPerLine = pcxBytesPerLine(image.width());
    if (file.size() < kPcxHeaderSize || (file[66] | file[67] << 8) != int(bytesPerLine) ||
        (file[10] | file[11] << 8) + 1 != image.height())
        return "PCX header";
    std::size_t at = kPcxHeaderSize;
    for (int y = 0; y < image.height(); ++y) {
        std::vector<std::uint8_t> line;
        while (line.size() < bytesPerLine && at < file.size()) {
            const std::uint8_t b = file[at++];
            if (b >= 192 && at == file.size()) return "PCX run without its byte";
            line.insert(line.end(), b >= 192 ? b - 192u : 1u, b >= 192 ? file[at++] : b);
        }
        if (line.size() != bytesPerLine) return "PCX line " + std::to_string(y) + " length";
        for (std::size_t x = 0; x < 8 * bytesPerLine; ++x) {
            const bool bit = (line[x / 8] >> (7 - x % 8)) & 1;
            const bool background = x >= static_cast<std::size_t>(image.width()) ||
                                    image.pixel(static_cast<int>(x), y) == image.background();
            if (bit != background)
                return "PCX pixel " + std::to_string(x) + "," + std::to_string(y) +
                       " differs from the background map";
        }
    }
    return at == file.size() ? "" : "PCX bytes after the last line";
}

}  // namespace mirovale::testing
