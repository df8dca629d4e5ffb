#include "core/display/etalon_cell.h"

#include <gtest/gtest.h>

#include "core/host/recording_canvas.h"
#include "display/series_sample.h"

namespace mirovale {
namespace {

using Op = CanvasCall::Op;

// Cell (100, 50)-(140, 90) at line height 15: glyph box x0 = 100, y0 = 50 + 1 + 15 + 3 = 69,
// 40 x 40.
constexpr GraphRect kCell{100, 50, 140, 90};

TEST(EtalonCell, ColouredStatesFillTheBackgroundAndDrawBoldWhite) {
    testing::SampleSeries s(100, 20, 3);
    struct {
        int line;
        CellState state;
        Colour background;
    } rows[] = {
        {__LINE__, CellState::Grey, {163, 163, 163}},
        {__LINE__, CellState::Red, {255, 0, 0}},
    };
    for (const auto& c : rows) {
        RecordingCanvas canvas;
        drawEtalonCellByNumber(canvas, 15, 2, 100, c.state, kCell, s.series);
        EXPECT_EQ(canvas.texts(), std::vector<std::string>{" c "}) << "line " << c.line;
        const auto boxes = canvas.callsOf(Op::Rectangle);
        ASSERT_EQ(boxes.size(), 1u) << "line " << c.line;
        // Columns 97..145 and rows 68..109.
        EXPECT_EQ(boxes[0].describe(), "rectangle 97 68 146 110") << "line " << c.line;
        const auto pens = canvas.callsOf(Op::SelectPen);
        ASSERT_EQ(pens.size(), 4u) << "line " << c.line;
        EXPECT_EQ(pens[0].colour, c.background) << "line " << c.line;
        EXPECT_EQ(pens[2].colour, kWhite) << "line " << c.line;
        EXPECT_EQ(canvas.pen, Pen{}) << "line " << c.line;
        EXPECT_EQ(canvas.brush, Brush{}) << "line " << c.line;
        // Two axes, then three passes of 20 samples and the closing point.
        EXPECT_EQ(canvas.callsOf(Op::LineTo).size(), 2u + 3u * 21u) << "line " << c.line;
    }
}

TEST(EtalonCell, PlainCellAxisReachesFivePixelsBeyondTheBox) {
    testing::SampleSeries s(100, 20, 1);
    RecordingCanvas canvas;
    drawEtalonCell(canvas, 15, s.etalons[0], 0, CellState::Plain, kCell);
    // A zero amplitude leaves the curve out.
    EXPECT_EQ(canvas.transcript(),
              "text 100 52 ' a '\nmoveTo 100 69\nlineTo 100 109\nmoveTo 100 89\nlineTo 145 89\n");
    canvas.clear();
    drawEtalonCell(canvas, 15, s.etalons[0], 100, CellState::Plain, kCell);
    const auto lines = canvas.callsOf(Op::LineTo);
    ASSERT_EQ(lines.size(), 2u + 21u);
    EXPECT_EQ(lines[2].describe(), "lineTo 100 87");  // sample 0 is 10: 69 + 40 - 110 * 40 / 200
    EXPECT_EQ(lines.back().describe(), "lineTo 140 89");
}

}  // namespace
}  // namespace mirovale
