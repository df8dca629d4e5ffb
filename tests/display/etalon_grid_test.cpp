#include "core/display/etalon_grid.h"

#include <gtest/gtest.h>

#include "core/host/recording_canvas.h"
#include "core/host/recording_host.h"
#include "core/synthesis/pulse_alphabet.h"

namespace mirovale {
namespace {

using Op = CanvasCall::Op;

// Two etalons of 20 samples: the first required (flags 1), the second required and taken
// into an alphabet (flags 3).
ProgramState twoEtalons() {
    ProgramState state;
    RecordingHost host;
    EXPECT_EQ(createPulses(host, state.generators, 128, 2, 20, state.etalonTable), 1);
    state.wEtalonCount = 2;
    state.wEtalonFlags[0] = 1;
    state.wEtalonFlags[1] = 3;
    return state;
}

std::vector<Colour> pensOf(const RecordingCanvas& canvas) {
    std::vector<Colour> pens;
    for (const CanvasCall& call : canvas.callsOf(Op::SelectPen)) pens.push_back(call.colour);
    return pens;
}

TEST(EtalonGrid, StressesOnlyEtalonsWhoseFlagsAreExactlyOne) {
    const ProgramState state = twoEtalons();
    const WindowLayout layout = computeWindowLayout({420, 260}, 15, state);
    RecordingCanvas canvas;
    drawEtalonGrid(canvas, state, layout);
    // Each selection is followed by the restoring one (black).
    EXPECT_EQ(pensOf(canvas), (std::vector<Colour>{{0, 0, 255},
                                                   kBlack,
                                                   {163, 163, 163},
                                                   kBlack,
                                                   {0, 0, 127},
                                                   kBlack,
                                                   {127, 127, 127},
                                                   kBlack}));
    EXPECT_EQ(canvas.texts()[1].rfind(" pulse 2 [", 0), 0u);
}

// A zero amplitude or an etalon of one sample would divide by zero: the box keeps its axes and
// frame but has no curve.
TEST(EtalonGrid, LeavesOutCurvesThatCannotBeScaled) {
    ProgramState state = twoEtalons();
    state.wAmplitude = 0;
    RecordingCanvas canvas;
    drawEtalonGrid(canvas, state, computeWindowLayout({420, 260}, 15, state));
    EXPECT_EQ(pensOf(canvas),
              (std::vector<Colour>{{163, 163, 163}, kBlack, {127, 127, 127}, kBlack}));

    state.wAmplitude = 128;
    state.etalonTable[0].wSize = 1;
    canvas.clear();
    drawEtalonGrid(canvas, state, computeWindowLayout({420, 260}, 15, state));
    EXPECT_EQ(pensOf(canvas).front(), (Colour{163, 163, 163}));
}

}  // namespace
}  // namespace mirovale
