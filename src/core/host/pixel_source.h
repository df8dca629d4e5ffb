#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/host/canvas.h"

namespace mirovale {

// Bytes of one uncompressed image row: width pixels of `bits` bits, padded to whole 32-bit words.
// width : pixels, >= 0
// bits  : bits per pixel, 1..32
[[nodiscard]] constexpr std::size_t rowBytes(int width, int bits) {
    return 4 * ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32);
}

// A still copy of the window's client area, as the image writers read it. Rows count from the
// top. The copy does not change while it is read, whatever the window does meanwhile.
class PixelSource {
public:
    virtual ~PixelSource() = default;

    // Size in pixels, both >= 0.
    [[nodiscard]] virtual int width() const = 0;
    [[nodiscard]] virtual int height() const = 0;
    // Bits per pixel: 1, 4, 8, 16, 24 or 32 (32 for the window's own image, 24 for a capture
    // asked for at that depth).
    [[nodiscard]] virtual int bitsPerPixel() const = 0;
    // Colour table of a depth below 16: entry i is the colour of index i; empty otherwise.
    [[nodiscard]] virtual std::vector<Colour> palette() const { return {}; }

    // Copies row y (0 = top) in the uncompressed layout of the depth: 32 bits blue, green, red,
    // 0; 24 bits blue, green, red; 16 bits 5 bits each of red, green, blue with blue in the low
    // bits, little-endian; below 16 bits palette indexes, the leftmost pixel in the high bits.
    // The bytes after the last pixel, up to the end of `out`, are zero.
    // y   : 0..height - 1
    // out : at least rowBytes(width(), bitsPerPixel()) bytes
    // Returns false when the row cannot be read. This default builds 24- and 32-bit rows from
    // pixel() and refuses other depths, so a source of another depth overrides it.
    [[nodiscard]] virtual bool readRow(int y, std::span<std::uint8_t> out) const;

    // Colour of the pixel at (x, y); 0 <= x < width, 0 <= y < height.
    [[nodiscard]] virtual Colour pixel(int x, int y) const = 0;
    // The window's background colour: the colour erased areas are filled with.
    [[nodiscard]] virtual Colour background() const = 0;

    // The image as the bytes of a PNG file, or nothing when this source has no PNG encoder or
    // the encoding failed. The front end encodes with its image library; the core writes the
    // bytes like the other formats.
    [[nodiscard]] virtual std::optional<std::vector<std::uint8_t>> encodePng() const = 0;
};

}  // namespace mirovale
