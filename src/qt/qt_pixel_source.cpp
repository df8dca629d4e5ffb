#include "qt/qt_pixel_source.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <algorithm>
#include <cstring>

namespace mirovale {

// The rows are copied as Qt lays them out in memory, which is blue first on this byte order.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);

QtPixelSource::QtPixelSource(const QImage& image, int bits, Colour background)
    : image_(image.convertToFormat(bits == 24 ? QImage::Format_BGR888 : QImage::Format_RGB32)),
      bits_(bits == 24 ? 24 : 32),
      background_(background) {}

bool QtPixelSource::readRow(int y, std::span<std::uint8_t> out) const {
    const std::size_t used = static_cast<std::size_t>(image_.width()) * (bits_ / 8);
    if (image_.isNull() || y < 0 || y >= image_.height() ||
        out.size() < rowBytes(image_.width(), bits_))
        return false;
    // 24 bits: the scan line is blue, green, red already; 32 bits: the same with a fourth byte,
    // which is the opaque alpha in memory and zero in the file.
    std::memcpy(out.data(), image_.constScanLine(y), used);
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(used), out.end(), std::uint8_t{0});
    if (bits_ == 32)
        for (std::size_t i = 3; i < used; i += 4) out[i] = 0;
    return true;
}

Colour QtPixelSource::pixel(int x, int y) const {
    const QRgb rgb = image_.pixel(x, y);
    return {static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
            static_cast<std::uint8_t>(qBlue(rgb))};
}

std::optional<std::vector<std::uint8_t>> QtPixelSource::encodePng() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image_)) return std::nullopt;
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace mirovale
