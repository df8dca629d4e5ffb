#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/host/pixel_source.h"

namespace mirovale {

// An image held in memory as colours, 24 or 32 bits deep: the client area of RecordingHost and
// the pictures tests hand to the image writers. It has no PNG encoder.
class PixelImage : public PixelSource {
public:
    PixelImage() = default;
    // width, height : pixels, >= 0
    // fill          : the colour of every pixel, and the background
    // bits          : 24 or 32
    PixelImage(int width, int height, Colour fill, int bits = 32);

    // Sets the pixel at (x, y); a point outside the image is ignored.
    void setPixel(int x, int y, Colour colour);

    [[nodiscard]] int width() const override { return width_; }
    [[nodiscard]] int height() const override { return height_; }
    [[nodiscard]] int bitsPerPixel() const override { return bits_; }
    [[nodiscard]] Colour pixel(int x, int y) const override;
    [[nodiscard]] Colour background() const override { return backgroundColour; }
    // Nothing: encoding PNG is left to the front end's image library.
    [[nodiscard]] std::optional<std::vector<std::uint8_t>> encodePng() const override;

    Colour backgroundColour = kWhite;

private:
    int width_ = 0;
    int height_ = 0;
    int bits_ = 32;
    std::vector<Colour> pixels_;  // row by row from the top
};

}  // namespace mirovale
