#include "qt/qt_pixel_source.h"

#include <gtest/gtest.h>

#include <QImage>

#include "core/host/pixel_source.h"

namespace mirovale {
namespace {

// A backbuffer with a few colours on white and an odd width, so rows need padding at 24 bits.
QImage backbuffer() {
    QImage image(7, 3, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    image.setPixel(6, 2, qRgb(200, 16, 32));
    image.setPixel(3, 1, qRgb(10, 20, 230));
    return image;
}

// Files saved from a capture read back with its pixels: cli_snapshot_formats compares the BMP
// of a window with its PNG, and tests/export holds the writers' golden files.
TEST(QtPixelSource, PixelsAndRowsAreThoseOfTheImageAtEitherDepth) {
    const QImage image = backbuffer();
    for (const int bits : {32, 24}) {
        const QtPixelSource capture(image, bits);
        EXPECT_EQ(capture.pixel(6, 2), (Colour{200, 16, 32})) << bits;
        std::vector<std::uint8_t> row(rowBytes(7, bits), 0xAA);
        ASSERT_TRUE(capture.readRow(2, row)) << bits;
        const std::size_t last = 6 * static_cast<std::size_t>(bits / 8);
        EXPECT_EQ(row[last], 32) << bits;  // blue first
        EXPECT_EQ(row[last + 2], 200) << bits;
        EXPECT_EQ(row.back(), 0) << bits;  // the fourth byte, or padding
    }
}

}  // namespace
}  // namespace mirovale
