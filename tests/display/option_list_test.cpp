#include "core/display/option_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/display/layout.h"
#include "core/host/recording_canvas.h"

namespace mirovale {
namespace {

using Op = CanvasCall::Op;
constexpr std::uint32_t kLengths[] = {200, 600, 1200};
constexpr InclusiveRect kBox{1124, 10, 1270, 99};

// The marker's size and inset follow the line height; a selected index outside 1..count marks
// the first option; the marker is black only when its value is the one in effect. The row as
// the window shows it is in the golden pictures of the views.
TEST(OptionList, MarksTheChosenOption) {
    constexpr Colour kGrey{163, 163, 163};
    struct Case {
        int line;
        int lineHeight;
        std::uint32_t selected;
        std::int64_t inEffect;
        int markedOption;
        int diameter;
        int inset;
        Colour brush;
    } cases[] = {
        {__LINE__, 13, 2, 600, 1, 14, 2, kBlack}, {__LINE__, 23, 2, 600, 1, 24, 3, kBlack},
        {__LINE__, 15, 3, 600, 2, 16, 2, kGrey},  // chosen, but the series still has 600
        {__LINE__, 15, 0, 200, 0, 16, 2, kBlack}, {__LINE__, 15, 4, 600, 0, 16, 2, kGrey},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        std::vector<InclusiveRect> items;
        EXPECT_EQ(drawOptionList(canvas, kBox, items, " series length: ", kLengths, c.selected,
                                 c.inEffect, c.lineHeight),
                  1);
        // The items are the layout's, the rectangles the click handler tests.
        EXPECT_EQ(items, optionItemRects(kBox, c.lineHeight, 3)) << c.line;
        const std::vector<CanvasCall> ellipses = canvas.callsOf(Op::Ellipse);
        ASSERT_EQ(ellipses.size(), 4u) << c.line;
        const InclusiveRect& item = items[static_cast<std::size_t>(c.markedOption)];
        const CanvasCall& marker = ellipses.back();
        EXPECT_EQ(marker.x, item.left + c.inset) << c.line;
        EXPECT_EQ(marker.y, item.top + c.inset) << c.line;
        EXPECT_EQ(marker.right - marker.x, c.diameter - 2 * c.inset) << c.line;
        EXPECT_EQ(ellipses[0].right - ellipses[0].x, c.diameter) << c.line;
        const std::vector<CanvasCall> brushes = canvas.callsOf(Op::SelectBrush);
        ASSERT_EQ(brushes.size(), 2u) << c.line;  // the marker's, then the old one back
        EXPECT_EQ(brushes[0].colour, c.brush) << c.line;
        EXPECT_EQ(brushes[1].colour, kWhite) << c.line;
    }
}

TEST(OptionList, AnEmptyTableDrawsNoMarker) {
    RecordingCanvas canvas;
    std::vector<InclusiveRect> items{{1, 1, 2, 2}};
    drawOptionList(canvas, kBox, items, " noise level: ", {}, 1, 20, 15);
    EXPECT_TRUE(items.empty());
    EXPECT_TRUE(canvas.callsOf(Op::Ellipse).empty());
}

}  // namespace
}  // namespace mirovale
