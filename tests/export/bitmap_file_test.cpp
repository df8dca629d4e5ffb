#include "core/export/bitmap_file.h"

#include <gtest/gtest.h>

#include "core/host/recording_host.h"
#include "export_test_support.h"
#include "image_checks.h"

namespace mirovale {
namespace {

using testing::ScratchFolder;

// A 1-bit image whose set pixels form a diagonal; palette black, white.
class MonochromeImage : public PixelImage {
public:
    MonochromeImage(int w, int h) : PixelImage(w, h, kWhite) {}
    int bitsPerPixel() const override { return 1; }
    std::vector<Colour> palette() const override { return {kBlack, kWhite}; }
    bool readRow(int y, std::span<std::uint8_t> out) const override {
        std::fill(out.begin(), out.end(), std::uint8_t{0});
        out[static_cast<std::size_t>(y / 8)] = static_cast<std::uint8_t>(0x80 >> (y % 8));
        return true;
    }
};

std::vector<std::uint8_t> saveBmp(const PixelSource& capture) {
    const ScratchFolder folder;
    RecordingHost host;
    const std::string path = folder.file("picture.bmp");
    const auto info = makeBitmapInfo(host, capture);
    EXPECT_TRUE(info && writeBmpFile(host, path, *info, capture) == 1);
    EXPECT_TRUE(host.messages.empty());
    return testing::readBytes(path);
}

// The rows against the source: image_checks.h; read back through Qt's reader: tests/qt.
TEST(BitmapFile, CapturesAreWrittenWithTheImageSizeOfTheirDepth) {
    const PixelImage wide = testing::samplePicture(5, 3, 32);
    const PixelImage deep = testing::samplePicture(5, 3, 24);
    const PixelImage large = testing::samplePicture(801, 600, 24);
    const MonochromeImage mono(33, 2);
    struct Case {
        int line;
        std::string golden;  // empty: too large to keep
        const PixelSource& capture;
        std::uint32_t imageSize;
        std::uint32_t rowsSize;  // the rest of the image size is zero bytes
    } cases[] = {
        {__LINE__, "bmp_5x3_32bit.bmp", wide, 96, 60},  // 1 x 3 x 32
        {__LINE__, "bmp_5x3_24bit.bmp", deep, 72, 48},  // 1 x 3 x 24
        {__LINE__, "", large, 1'454'400, 1'442'400},    // 101 x 600 x 24; rows of 2,404 bytes
        // The rule gives 5 x 2 x 1 = 10 bytes, less than the two padded rows of 8 bytes: the
        // block holds the rows and the header says so.
        {__LINE__, "bmp_33x2_1bit.bmp", mono, 16, 16},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> file = saveBmp(c.capture);
        if (!c.golden.empty()) testing::expectGolden("export/" + c.golden, file);
        EXPECT_EQ(testing::bmpFault(file, c.capture), "") << c.line;
        EXPECT_EQ(testing::fileWord(file, 34), c.imageSize) << c.line;
        const std::uint32_t offset = testing::fileWord(file, 10);
        EXPECT_EQ(file.size(), offset + c.imageSize) << c.line;
        EXPECT_TRUE(std::all_of(file.begin() + offset + c.rowsSize, file.end(), [](std::uint8_t b) {
            return b == 0;
        })) << c.line;
    }
}

}  // namespace
}  // namespace mirovale
