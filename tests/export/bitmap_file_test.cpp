#include "core/export/bitmap_file.h"

#include <gtest/gtest.h>

#include "core/host/recording_host.h"
#include "export_test_support.h"

namespace mirovale {
namespace {

using testing::ScratchFolder;

std::uint32_t field32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// Reads a 24- or 32-bit BMP file back into an image and checks the parts its header describes:
// the sizes agree, the fourth byte of a 32-bit pixel and the tail after the rows are zero.
PixelImage decodeBmp(const std::vector<std::uint8_t>& file) {
    const std::uint32_t offset = field32(file, 10);
    const auto w = static_cast<int>(field32(file, 18));
    const auto h = static_cast<int>(field32(file, 22));
    const int bits = file[28];
    const std::uint32_t imageSize = field32(file, 34);
    EXPECT_EQ(field32(file, 2), file.size());
    EXPECT_EQ(offset + imageSize, file.size());
    const std::size_t stride = rowBytes(w, bits);
    PixelImage image(w, h, kBlack, bits);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row =
            file.data() + offset + stride * static_cast<std::size_t>(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x * bits / 8);
            image.setPixel(x, y, {p[2], p[1], p[0]});
            if (bits == 32) {
                EXPECT_EQ(p[3], 0) << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(std::all_of(file.begin() + offset + static_cast<std::ptrdiff_t>(stride) * h,
                            file.end(), [](std::uint8_t b) { return b == 0; }));
    return image;
}

void expectSamePixels(const PixelSource& a, const PixelSource& b, int line) {
    ASSERT_EQ(a.width(), b.width()) << line;
    ASSERT_EQ(a.height(), b.height()) << line;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << line << ": " << x << "," << y;
}

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

std::vector<std::uint8_t> saveBmp(const PixelSource& capture, const ScratchFolder& folder) {
    RecordingHost host;
    const std::string path = folder.file("picture.bmp");
    const auto info = makeBitmapInfo(host, capture);
    EXPECT_TRUE(info && writeBmpFile(host, path, *info, capture) == 1);
    EXPECT_TRUE(host.messages.empty());
    return testing::readBytes(path);
}

TEST(BitmapFile, SmallCapturesMatchTheirGoldenFilesAndReadBack) {
    const PixelImage wide = testing::samplePicture(5, 3, 32);
    const PixelImage deep = testing::samplePicture(5, 3, 24);
    const MonochromeImage mono(33, 2);
    struct Case {
        int line;
        std::string golden;
        const PixelSource& capture;
        std::uint32_t imageSize;
    } cases[] = {
        {__LINE__, "bmp_5x3_32bit.bmp", wide, 96},  // 1 x 3 x 32; rows take 60
        {__LINE__, "bmp_5x3_24bit.bmp", deep, 72},  // 1 x 3 x 24; rows take 48
        // The rule gives 5 x 2 x 1 = 10 bytes, less than the two padded rows of 8 bytes: the
        // block holds the rows and the header says so.
        {__LINE__, "bmp_33x2_1bit.bmp", mono, 16},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const std::vector<std::uint8_t> file = saveBmp(c.capture, folder);
        testing::expectGolden(c.golden, file);
        EXPECT_EQ(field32(file, 34), c.imageSize) << c.line;
        if (c.capture.bitsPerPixel() >= 24) expectSamePixels(decodeBmp(file), c.capture, c.line);
    }
}

TEST(BitmapFile, A24BitCaptureOf801By600EndsInTheZeroTailOfItsImageSize) {
    ScratchFolder folder;
    const PixelImage capture = testing::samplePicture(801, 600, 24);
    const std::vector<std::uint8_t> file = saveBmp(capture, folder);
    EXPECT_EQ(field32(file, 34), 1'454'400u);
    EXPECT_EQ(file.size(), 54u + 1'454'400u);
    expectSamePixels(decodeBmp(file), capture, __LINE__);  // also checks the 12,000 zero bytes
}

}  // namespace
}  // namespace mirovale
