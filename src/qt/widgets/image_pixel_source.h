#pragma once

#include <QImage>

#include "core/host/pixel_source.h"

namespace mirovale {

// A still copy of a QImage as the image writers read it: 32 bits a pixel, white background,
// PNG bytes from Qt's encoder.
class ImagePixelSource final : public PixelSource {
public:
    // image : copied to 32-bit RGB
    explicit ImagePixelSource(const QImage& image);

    [[nodiscard]] int width() const override { return image_.width(); }
    [[nodiscard]] int height() const override { return image_.height(); }
    [[nodiscard]] int bitsPerPixel() const override { return 32; }
    [[nodiscard]] Colour pixel(int x, int y) const override;
    [[nodiscard]] Colour background() const override { return kWhite; }
    [[nodiscard]] std::optional<std::vector<std::uint8_t>> encodePng() const override;

    // False when the copy could not be made (no memory).
    [[nodiscard]] bool isValid() const { return valid_; }

private:
    QImage image_;
    bool valid_ = false;
};

}  // namespace mirovale
