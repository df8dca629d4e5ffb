#include "core/display/etalon_cell.h"

#include <gtest/gtest.h>

#include "core/host/recording_canvas.h"
#include "display/series_sample.h"

namespace mirovale {
namespace {

// How the cells look in each state is in the golden pictures of the panels and result views.
// A zero amplitude would divide by zero: the cell keeps its letter and axes, without a curve.
TEST(EtalonCell, AZeroAmplitudeLeavesTheCurveOut) {
    testing::SampleSeries s(100, 20, 1);
    RecordingCanvas canvas;
    drawEtalonCell(canvas, 15, s.etalons[0], 0, CellState::Plain, {100, 50, 140, 90});
    EXPECT_EQ(canvas.transcript(),
              "text 100 52 ' a '\nmoveTo 100 69\nlineTo 100 109\nmoveTo 100 89\nlineTo 145 89\n");
}

}  // namespace
}  // namespace mirovale
