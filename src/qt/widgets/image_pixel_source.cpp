#include "qt/widgets/image_pixel_source.h"

#include <QBuffer>

namespace mirovale {

ImagePixelSource::ImagePixelSource(const QImage& image)
    : image_(image.convertToFormat(QImage::Format_RGB32)), valid_(image_.isNull() == image.isNull()) {}

Colour ImagePixelSource::pixel(int x, int y) const {
    const QRgb rgb = image_.pixel(x, y);
    return {static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
            static_cast<std::uint8_t>(qBlue(rgb))};
}

std::optional<std::vector<std::uint8_t>> ImagePixelSource::encodePng() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image_.save(&buffer, "PNG")) return std::nullopt;
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace mirovale
