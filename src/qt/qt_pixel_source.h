#pragma once

#include <QImage>

#include "core/host/pixel_source.h"

namespace mirovale {

// A still copy of the window's image for the image writers. QImage shares its pixels until the
// window draws again, so taking the copy costs nothing until then.
class QtPixelSource : public PixelSource {
public:
    // image      : the window's backbuffer
    // bits       : 32 for the backbuffer's own depth, or 24 for a capture at 24 bits
    // background : the colour erased areas are filled with
    explicit QtPixelSource(const QImage& image, int bits = 32, Colour background = kWhite);

    [[nodiscard]] int width() const override { return image_.width(); }
    [[nodiscard]] int height() const override { return image_.height(); }
    [[nodiscard]] int bitsPerPixel() const override { return bits_; }
    [[nodiscard]] bool readRow(int y, std::span<std::uint8_t> out) const override;
    [[nodiscard]] Colour pixel(int x, int y) const override;
    [[nodiscard]] Colour background() const override { return background_; }
    // The image encoded by Qt's PNG writer.
    [[nodiscard]] std::optional<std::vector<std::uint8_t>> encodePng() const override;

private:
    QImage image_;  // Format_RGB32, or Format_BGR888 at 24 bits
    int bits_;
    Colour background_;
};

}  // namespace mirovale
