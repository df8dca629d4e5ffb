#include "core/host/pixel_image.h"

#include <gtest/gtest.h>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"

namespace mirovale {
namespace {

TEST(PixelSource, RowsAreBlueGreenRedPaddedWithZeros) {
    constexpr Colour kPaint{1, 2, 3};
    struct Case {
        int line;
        int bits;
        std::vector<std::uint8_t> row;
    } cases[] = {
        {__LINE__, 32, {9, 9, 9, 0, 3, 2, 1, 0}},
        {__LINE__, 24, {9, 9, 9, 3, 2, 1, 0, 0}},  // 6 bytes padded to 8
    };
    for (const Case& c : cases) {
        PixelImage image(2, 2, {9, 9, 9}, c.bits);
        image.setPixel(1, 1, kPaint);
        std::vector<std::uint8_t> out(8, 0xAA);
        ASSERT_TRUE(image.readRow(1, out)) << c.line;
        EXPECT_EQ(out, c.row) << c.line;
        EXPECT_FALSE(image.readRow(2, out)) << c.line;
        EXPECT_FALSE(image.readRow(0, std::span(out).first(5))) << c.line;
    }
}

TEST(RecordingHost, CapturesACopyOfTheScreenOrNothingWhenMemoryFails) {
    RecordingHost host;
    host.screen = PixelImage(3, 2, kWhite);
    host.screen.setPixel(2, 1, kBlack);
    const auto capture = host.captureClientArea();
    host.screen.setPixel(2, 1, kWhite);
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(capture->pixel(2, 1), kBlack);
    EXPECT_EQ(capture->width(), 3);

    const ScopedAllocationFailure fail(1);
    EXPECT_EQ(host.captureClientArea(), nullptr);
    EXPECT_EQ(host.clientCaptures, 2);
}

}  // namespace
}  // namespace mirovale
