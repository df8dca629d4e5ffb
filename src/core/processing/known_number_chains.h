#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/processing/admissible_sets.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/local_fit.h"

namespace mirovale {

// One start of one layer of the known-number recurrence.
struct LayerCell {
    std::int64_t score = 0;        // D_m[t]: best chain of pulses 0..m with pulse m at t
    std::int32_t etalonIndex = 0;  // etalon number - 1 of the fit at t
    std::int32_t begin = 0;        // kept piece of the fit
    std::int32_t end = 0;
};

// Layer m holds the starts of pulse m; only its window is written or read.
struct KnownNumberTable {
    std::vector<std::vector<LayerCell>> layers;  // [pulse][start]
};

// The search starts of the routine, each a decimal-nines sentinel.
struct KnownNumberSettings {
    std::int64_t predecessorFrom = 0;  // forward predecessor search starts here
    std::int64_t endFrom = 0;          // choice of the end starts here
    std::int64_t backFrom = 0;         // back-tracking search starts here
    std::uint16_t wTmin = 0;
    std::uint16_t wTmax = 0;
};

// A chain found by the recurrence.
struct KnownNumberResult {
    std::int64_t distance = 0;  // the end score; settings.endFrom when there is no chain
    PulseChain chain;           // K pulses, or none
};

// Runs the layers m = 0..K-1 (K = windows.size(), the table holding K layers of view.starts
// cells): D_0[t] = fit, D_m[t] = the strictly smallest D_(m-1)[p] over p in
// [t - Tmax, t - Tmin] inside window m - 1 (from predecessorFrom) + fit. The end is the
// earliest strictly smallest D_(K-1) below endFrom; back-tracking takes, for each pulse, the
// earliest strictly smallest D_m below backFrom in reach of the pulse after it. When there is
// no end, or some pulse has no predecessor in reach, there is no chain.
// layerCandidates : the etalons fitted on each layer (entry m for pulse m)
KnownNumberResult runKnownNumber(KnownNumberTable& table, const SeriesView& view,
                                 std::span<const StartWindow> windows,
                                 std::span<const std::span<const FitCandidate>> layerCandidates,
                                 const KnownNumberSettings& settings);

}  // namespace mirovale
