#include "core/host/pixel_image.h"

namespace mirovale {

PixelImage::PixelImage(int width, int height, Colour fill, int bits)
    : backgroundColour(fill),
      width_(width),
      height_(height),
      bits_(bits),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void PixelImage::setPixel(int x, int y, Colour colour) {
    if (x < 0 || x >= width_ || y < 0 || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = colour;
}

Colour PixelImage::pixel(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

std::optional<std::vector<std::uint8_t>> PixelImage::encodePng() const {
    return std::nullopt;
}

}  // namespace mirovale
