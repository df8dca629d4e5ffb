#include "core/display/graph_primitives.h"

#include <gtest/gtest.h>

#include "core/host/recording_canvas.h"
#include "display/series_sample.h"

namespace mirovale {
namespace {

using Op = CanvasCall::Op;

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

// Labels of a cut-off series with letters: position, letter, kept range and a blank.
TEST(PulseLabels, TextsAndPlaces) {
    testing::SampleSeries s(200, 20, 3);
    s.addPulse(0, 2, 0, 19);
    s.addPulse(100, 3, 4, 15);
    RecordingCanvas canvas;
    drawPulseLabels(canvas, {10, 20, 410, 121}, 8, 0, true, true, s.series);
    EXPECT_EQ(canvas.transcript(),
              "text 5 120 '0b[0..19] '\n"  // 5 pixels left of the graph
              "text 205 120 '100c[4..15] '\n"
              "rectangle 10 20 411 122\n");
    EXPECT_EQ(pulseLabel(123, 3, false, false, 4, 15), "123");
}

// Cut pulses' kept parts are drawn in the golden pictures of the cut-off series.
TEST(PulseCurves, KeptPartsRetraceWholePulses) {
    testing::SampleSeries s(200, 20, 2);
    s.addPulse(10, 1, 0, 19);
    s.addPulse(90, 2, 0, 19);
    RecordingCanvas original;
    RecordingCanvas kept;
    drawOriginalPulses(original, kOdd, 100, s.series);
    drawKeptParts(kept, kOdd, 100, s.series);
    EXPECT_EQ(kept.transcript(), original.transcript());
    EXPECT_EQ(original.callsOf(Op::LineTo).size(), 2u * 21u);
}

// Too short a series or a zero half-range leaves the curves out instead of dividing by zero,
// and a pulse without a valid etalon is left out instead of read outside the list.
TEST(PulseCurves, UnmappableSeriesDrawsNoCurve) {
    testing::SampleSeries s(1, 20, 1);
    s.addDetected(0, 1, 0, 19);
    RecordingCanvas canvas;
    drawSeriesCurve(canvas, kOdd, 100, s.series);
    drawDetectedPulses(canvas, kOdd, 100, s.series);
    s.series.dwSeriesSize = 100;
    drawDetectedPulses(canvas, kOdd, 0, s.series);
    s.series.lpDetectedEtalons[0] = 9;  // beyond the etalon list: left out
    drawDetectedPulses(canvas, kOdd, 100, s.series);
    EXPECT_TRUE(canvas.calls.empty()) << canvas.transcript();
    drawGraphAxes(canvas, kOdd);
    EXPECT_EQ(canvas.transcript(), "moveTo 10 20\nlineTo 10 121\nmoveTo 10 70\nlineTo 110 70\n");
}

}  // namespace
}  // namespace mirovale
