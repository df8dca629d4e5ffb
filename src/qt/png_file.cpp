#include "qt/png_file.h"

#include <QImageWriter>
#include <algorithm>
#include <optional>

namespace mirovale {
namespace {

constexpr qsizetype kPaletteSize = 256;

// The colours of an RGB32 image in order of first use, or nothing when there are more than a
// palette holds.
std::optional<QList<QRgb>> paletteOf(const QImage& image) {
    QList<QRgb> colours;
    QRgb last = 0;
    bool any = false;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = row[x] | 0xff000000u;
            if (any && c == last) continue;
            any = true;
            last = c;
            if (colours.contains(c)) continue;
            if (colours.size() == kPaletteSize) return std::nullopt;
            colours.push_back(c);
        }
    }
    return colours;
}

}  // namespace

bool writePngFile(const QImage& image, const QString& path) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto palette = paletteOf(rgb);
    const QImage out = palette ? rgb.convertToFormat(QImage::Format_Indexed8, *palette,
                                                     Qt::ThresholdDither | Qt::AvoidDither)
                               : rgb.convertToFormat(QImage::Format_RGB888);
    QImageWriter writer(path, "png");
    writer.setQuality(0);  // the strongest compression
    return writer.write(out);
}

}  // namespace mirovale
