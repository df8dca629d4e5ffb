#include "core/export/pcx_file.h"

#include <gtest/gtest.h>

#include "core/host/recording_host.h"
#include "export_test_support.h"
#include "image_checks.h"

namespace mirovale {
namespace {

using testing::ScratchFolder;

std::vector<std::uint8_t> encode(const std::vector<std::uint8_t>& packed) {
    std::vector<std::uint8_t> codes(2 * packed.size());
    codes.resize(encodePcxLine(packed, codes));
    return codes;
}

std::vector<std::uint8_t> repeated(std::size_t n, std::uint8_t v) {
    return std::vector<std::uint8_t>(n, v);
}

TEST(PcxLine, RunsAndSingleBytesAreCodedAsTheFormatSays) {
    using Bytes = std::vector<std::uint8_t>;
    struct Case {
        int line;
        Bytes packed;
        Bytes codes;
    } cases[] = {
        {__LINE__, repeated(160, 0xFF), {255, 255, 255, 255, 226, 255}},
        {__LINE__, {0x3C, 0xC5, 0x3D}, {0x3C, 193, 0xC5, 0x3D}},  // a byte from 192 needs a count
        {__LINE__, {7, 7, 0xC0}, {194, 7, 193, 0xC0}},
        {__LINE__, repeated(64, 0), {255, 0, 0}},  // a full run, then a single byte
        {__LINE__, {}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(encode(c.packed), c.codes) << c.line;
}

// Bytes 0xC5 and 0xC6 in turn: no runs, and every byte needs a count, so a line's codes take
// twice its bytes.
PixelImage worstCaseLines(int width, int height) {
    PixelImage image(width, height, kWhite);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t byte = (x / 8) % 2 ? 0xC6 : 0xC5;
            if (!((byte >> (7 - x % 8)) & 1)) image.setPixel(x, y, kBlack);
        }
    return image;
}

// Each file decodes to the background map of its capture (image_checks.h).
TEST(PcxFile, SavedFilesDecodeToTheBackgroundMapOfTheCapture) {
    PixelImage tinted = testing::samplePicture(100, 3, 32);
    tinted.backgroundColour = {200, 16, 32};  // only the one pixel of that colour is background
    struct Case {
        int line;
        std::string golden;  // empty: decoded only
        PixelImage capture;
    } cases[] = {
        {__LINE__, "pcx_100x3.pcx", testing::samplePicture(100, 3, 32)},
        {__LINE__, "pcx_100x3_tinted_background.pcx", tinted},
        // Wider than 2048 pixels: a line's codes outgrow 512 bytes.
        {__LINE__, "", worstCaseLines(3000, 2)},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        RecordingHost host;
        const std::string path = folder.file("picture.pcx");
        ASSERT_EQ(writePcxFile(host, path, c.capture), 1) << c.line;
        EXPECT_TRUE(host.messages.empty()) << c.line;
        const std::vector<std::uint8_t> file = testing::readBytes(path);
        if (!c.golden.empty()) testing::expectGolden("export/" + c.golden, file);
        EXPECT_EQ(testing::pcxFault(file, c.capture), "") << c.line;
    }
}

}  // namespace
}  // namespace mirovale
