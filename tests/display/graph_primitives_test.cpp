#include "core/display/graph_primitives.h"

#include <gtest/gtest.h>

#include "core/display/etalon_cell.h"
#include "core/display/result_highlighting.h"
#include "core/host/recording_canvas.h"
#include "display/series_sample.h"

namespace mirovale {
namespace {

// An odd height: 101 rows, mid line at top + 50.
constexpr GraphRect kOdd{10, 20, 110, 121};

TEST(CoordinateMapping, EdgesMidLineAndLargeSizes) {
    struct {
        int line;
        GraphRect r;
        std::int32_t a, v;
        int y;
    } rows[] = {
        {__LINE__, kOdd, 100, 100, 20},    // +A on the top edge
        {__LINE__, kOdd, 100, -100, 121},  // -A on the bottom edge
        {__LINE__, kOdd, 100, 0, 71},      // 0 about on the mid line (70)
        {__LINE__, kOdd, 100, 300, -81},   // not clipped
        {__LINE__, kOdd, 0, 5, 70},        // no half-range: the mid line, no division
        // (v + A) * h is 2.6e9 here: beyond 32 bits, still the top edge.
        {__LINE__, {0, 0, 10, 40000}, 32767, 32767, 0},
    };
    for (const auto& c : rows) EXPECT_EQ(yOfValue(c.r, c.a, c.v), c.y) << "line " << c.line;
    EXPECT_EQ(midLine(kOdd), 70);

    struct {
        int line;
        GraphRect r;
        std::uint32_t n;
        std::int64_t j;
        int x;
    } columns[] = {
        {__LINE__, kOdd, 11, 0, 10},
        {__LINE__, kOdd, 11, 10, 110},
        {__LINE__, kOdd, 11, 3, 40},
        {__LINE__, kOdd, 1, 0, 10},  // one sample: the left edge, no division
        // j * w is 5e9 here: beyond 32 bits, still the right edge.
        {__LINE__, {0, 0, 50000, 10}, 100001, 100000, 50000},
    };
    for (const auto& c : columns) EXPECT_EQ(xOfSample(c.r, c.n, c.j), c.x) << "line " << c.line;
}

// The pulses' labels (position, letter, kept range), the whole pulses, their kept parts and
// shading, and the etalon cells in each state are in the golden pictures of the views. Too
// short a series, a zero half-range or a zero amplitude leaves the curves out instead of
// dividing by zero, and a pulse without a valid etalon is left out instead of read outside the
// list: at most the axes and the letter are drawn.
TEST(Curves, AnUnmappableSeriesOrAZeroRangeDrawsNoCurve) {
    testing::SampleSeries s(1, 20, 1);
    s.addDetected(0, 1, 0, 19);
    RecordingCanvas canvas;
    drawSeriesCurve(canvas, kOdd, 100, s.series);
    drawDetectedPulses(canvas, kOdd, 100, s.series);
    s.series.dwSeriesSize = 100;
    drawDetectedPulses(canvas, kOdd, 0, s.series);
    s.series.lpDetectedEtalons[0] = 9;  // beyond the etalon list: left out
    drawDetectedPulses(canvas, kOdd, 100, s.series);
    testing::SampleSeries shaded(101, 10, 1);
    shaded.addPulse(20, 1, 3, 6);
    shadeOriginalPulses(canvas, kOdd, 0, shaded.series);
    EXPECT_TRUE(canvas.calls.empty()) << canvas.transcript();
    drawGraphAxes(canvas, kOdd);
    EXPECT_EQ(canvas.transcript(), "moveTo 10 20\nlineTo 10 121\nmoveTo 10 70\nlineTo 110 70\n");
    canvas.clear();
    drawEtalonCell(canvas, 15, s.etalons[0], 0, CellState::Plain, {100, 50, 140, 90});
    EXPECT_EQ(canvas.transcript(),
              "text 100 52 ' a '\nmoveTo 100 69\nlineTo 100 109\nmoveTo 100 89\nlineTo 145 89\n");
}

}  // namespace
}  // namespace mirovale
