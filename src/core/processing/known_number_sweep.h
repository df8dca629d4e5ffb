#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/processing/admissible_sets.h"
#include "core/processing/known_number_chains.h"
#include "core/processing/local_fit.h"
#include "core/processing/local_fit_sweep.h"

namespace mirovale {

// The fits of one list of candidates at the starts [base, base + fits.size()), computed once
// and read by every layer that fits that list.
struct FitRow {
    std::size_t base = 0;
    std::vector<LocalFit> fits;
    std::vector<std::int64_t> scores;  // the fits' scores side by side, for the layer sweeps

    [[nodiscard]] const LocalFit& at(std::int64_t t) const {
        return fits[static_cast<std::size_t>(t) - base];
    }
};

// The smallest window holding every start of `windows` (empty when they are all empty).
StartWindow windowHull(std::span<const StartWindow> windows);

// Sizes `row` for the starts of `hull`.
void sizeFitRow(FitRow& row, const StartWindow& hull);

// Fits `plan` at every start of the row.
void fillFitRow(FitRow& row, const FitPlan& plan, const SeriesView& view, FitSweepBuffers& buffers);

// Work space of the known-number sweep.
struct KnownNumberWork {
    std::vector<std::vector<std::int64_t>> scores;  // D_m over window m, from its lo
    std::vector<std::int64_t> prefix;               // block minima of layer m - 1
    std::vector<std::int64_t> suffix;
};

// How far back beyond its own window a layer reads: Tmax - Tmin, 0 when Tmax < Tmin.
inline std::size_t reachOf(std::uint16_t wTmin, std::uint16_t wTmax) {
    return wTmax < wTmin ? 0 : std::size_t{wTmax} - wTmin;
}

// Sizes `work` for the layers of `windows` (work.scores already holding one row per window).
// reach : Tmax - Tmin, how far back beyond its own window a layer reads
void sizeKnownNumberWork(KnownNumberWork& work, std::span<const StartWindow> windows,
                         std::size_t reach);

// The recurrence of runKnownNumber with each layer's fits read from its row and every
// predecessor value taken from sliding-window minima: the same distance and chain, ties
// included (back-tracking searches each window directly for the earliest smallest start).
// layerFits : per layer m, the row of the candidates fitted for pulse m (covering window m)
KnownNumberResult sweepKnownNumber(std::span<const StartWindow> windows,
                                   std::span<const FitRow* const> layerFits,
                                   const KnownNumberSettings& settings, KnownNumberWork& work);

}  // namespace mirovale
