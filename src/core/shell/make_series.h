#pragma once

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// Where a command enters the make-series flow.
enum class FlowEntry : int {
    NextData,          // CMD_NEXT_DATA: draw a new etalon sequence, make, add noise, process
    MakeSeries,        // CMD_MAKE_SERIES: take the pending values, make, add noise, process
    MakeEditedSeries,  // CMD_MAKE_EDITED_SERIES: make from the edited sequence, noise, process
    AddNoise,          // CMD_ADD_NOISE: noise on the current series, then process
    Process,           // CMD_PROCESS: process the current series
    ShowResults,       // CMD_SHOW_RESULTS: repaint the result view
};

// Runs the make-series flow from `entry` to its end: etalon sequence, synthesis, noise, the
// processing routine of the task and series type, the chains record's labels, view 6 and its
// repaint. Each failure shows its message and ends the flow with the state as far as it got;
// an empty etalon list or a missing series stops it before anything is drawn or processed.
void runMakeSeriesFlow(Host& host, ProgramState& state, FlowEntry entry);

// The number of pulses a series is made with: `requested` when it lies within
// [wMinPulses, wMaxPulses] of the state, else the middle of that range.
[[nodiscard]] std::uint16_t clampedPulseCount(const ProgramState& state, std::uint16_t requested);

}  // namespace mirovale
