#include "qt/qt_pixel_source.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "core/export/bitmap_file.h"
#include "core/export/png_file.h"
#include "core/host/recording_host.h"
#include "qt/gui_application.h"

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

void expectSameImage(const QImage& read, const QImage& expected, int line) {
    ASSERT_FALSE(read.isNull()) << line;
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), expected) << line;
}

TEST(QtPixelSource, SavedBmpAndPngFilesReadBackAsTheBackbuffer) {
    ensureGuiApplication();
    const QImage image = backbuffer();
    QTemporaryDir folder;
    struct Case {
        int line;
        const char* name;
        int bits;
    } cases[] = {{__LINE__, "a.bmp", 32}, {__LINE__, "b.bmp", 24}, {__LINE__, "c.png", 32}};
    for (const Case& c : cases) {
        const QtPixelSource capture(image, c.bits);
        RecordingHost host;
        const std::string path = folder.filePath(c.name).toStdString();
        int written = 0;
        if (QString(c.name).endsWith(".png")) {
            written = writePngFile(host, path, capture);
        } else {
            const auto info = makeBitmapInfo(host, capture);
            written = info ? writeBmpFile(host, path, *info, capture) : 0;
        }
        ASSERT_EQ(written, 1) << c.line;
        expectSameImage(QImage(QString::fromStdString(path)), image, c.line);
    }
}

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
