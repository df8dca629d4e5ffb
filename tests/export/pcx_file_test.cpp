#include "core/export/pcx_file.h"

#include <gtest/gtest.h>

#include "core/host/recording_host.h"
#include "export_test_support.h"

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

// Decodes a PCX file into its lines of bytes per line bytes each; a run may not cross a line.
std::vector<std::vector<std::uint8_t>> decodePcx(const std::vector<std::uint8_t>& file) {
    const std::size_t bytesPerLine = file[66] | file[67] << 8;
    const int height = (file[10] | file[11] << 8) + 1;
    std::vector<std::vector<std::uint8_t>> lines(static_cast<std::size_t>(height));
    std::size_t at = kPcxHeaderSize;
    for (auto& line : lines) {
        while (line.size() < bytesPerLine && at < file.size()) {
            const std::uint8_t b = file[at++];
            const std::size_t run = b >= 192 ? b - 192u : 1;
            const std::uint8_t value = b >= 192 ? file[at++] : b;
            line.insert(line.end(), run, value);
        }
        EXPECT_EQ(line.size(), bytesPerLine);
    }
    EXPECT_EQ(at, file.size());
    return lines;
}

// Each pixel's bit is set exactly where the capture shows its background, and padding is set
// (a 100-pixel line packs into 16 bytes, its last 28 bits padding).
void expectBackgroundMap(const std::vector<std::vector<std::uint8_t>>& lines,
                         const PixelSource& capture, int line) {
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(capture.height())) << line;
    for (int y = 0; y < capture.height(); ++y)
        for (std::size_t x = 0; x < 8 * lines[0].size(); ++x) {
            const bool bit = (lines[static_cast<std::size_t>(y)][x / 8] >> (7 - x % 8)) & 1;
            const bool background = x >= static_cast<std::size_t>(capture.width()) ||
                                    capture.pixel(static_cast<int>(x), y) == capture.background();
            ASSERT_EQ(bit, background) << line << ": " << x << "," << y;
        }
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
        if (!c.golden.empty()) testing::expectGolden(c.golden, file);
        expectBackgroundMap(decodePcx(file), c.capture, c.line);
    }
}

}  // namespace
}  // namespace mirovale
