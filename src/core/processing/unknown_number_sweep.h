#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/processing/interval_list.h"
#include "core/processing/local_fit.h"
#include "core/processing/local_fit_sweep.h"
#include "core/processing/unknown_number_chains.h"
#include "core/processing/window_minimum.h"

namespace mirovale {

// The passes of the unknown-number recurrence (unknown_number_chains.h) with the local fits
// swept a block of starts at a time and every predecessor taken from a sliding-window minimum.
// Each gives the table the passBoth / passFirstOnly / passLaterOnly with prefitted fits give.

// Work space of the sweeps, made once per routine.
struct SweepWork {
    FitSweepBuffers fit;
    std::vector<LocalFit> fits;          // the fits of one interval
    std::vector<WindowMinimum> windows;  // per layer: the window over the layer before it
};

// Sizes `work` for `layers` layers of `starts` starts and pulses of length L.
void reserveSweepWork(SweepWork& work, std::size_t layers, std::size_t starts, std::uint16_t L);

// Stores the best fit of `plan` (S and etalon; the piece left unsettled) at every start of
// `list` (null = empty) in layer `layer`, as the passes would fit it there.
void fitLayer(LayerTable& table, std::size_t layer, const SeriesView& view,
              const IntervalList* list, const FitPlan& plan, SweepWork& work);

// Starts of F \ M, layer 0: G = S, back = -1.
void sweepFirstOnly(LayerTable& table, const IntervalList* list);

// Starts of F ∩ M, every layer: continue the layer before when its earliest smallest G over
// [t - Tmax, t - Tmin] is negative; otherwise layer 0 starts a chain, other layers get U.
void sweepBoth(LayerTable& table, const IntervalList* list, const PassSettings& settings,
               SweepWork& work);

// Starts of M \ F, every layer: continue the earliest smallest G of the layer before, searched
// from U.
void sweepLaterOnly(LayerTable& table, const IntervalList* list, const PassSettings& settings,
                    SweepWork& work);

// traceChain with the piece of every pulse settled from the plan its layer was fitted with.
PulseChain traceSettledChain(const LayerTable& table, const ChainEnd& end, const SeriesView& view,
                             std::span<const FitPlan> layerPlans);

}  // namespace mirovale
