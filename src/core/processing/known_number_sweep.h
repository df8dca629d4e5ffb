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
// and read by every layer that fits that list; their pieces are settled for the starts a chain
// keeps.
struct FitRow {
    std::size_t base = 0;
    std::vector<LocalFit> fits;
    std::vector<std::int64_t> scores;  // the fits' scores side by side, for the layer sweeps
    std::int64_t peak = 0;             // the largest magnitude of the scores
    const FitPlan* plan = nullptr;     // what fillFitRow fitted, and on which samples
    SeriesView view;

    // The fit at t with its piece settled.
    [[nodiscard]] LocalFit settled(std::int64_t t) const {
        const auto start = static_cast<std::size_t>(t);
        const LocalFit& fit = fits[start - base];
        return fit.begin == kUnsettled ? settleFit(*plan, view, start, fit.etalonIndex) : fit;
    }
};

// The smallest window holding every start of `windows` (empty when they are all empty).
StartWindow windowHull(std::span<const StartWindow> windows);

// Sizes `row` for the starts of `hull`.
void sizeFitRow(FitRow& row, const StartWindow& hull);

// Fits `plan` (kept alive by the caller) at every start of the row.
void fillFitRow(FitRow& row, const FitPlan& plan, const SeriesView& view, FitSweepBuffers& buffers);

// The scores of a batch of candidates side by side, one per lane, on 32-byte boundaries; the
// loops over the lanes vectorise. Four 64-bit scores, or eight 32-bit ones where no sum of the
// batch can leave 32 bits.
template <class T, std::size_t N>
struct alignas(32) ScoreLanes {
    static constexpr std::size_t kCount = N;
    T lane[N];
};
inline constexpr std::size_t kQuadLanes = 4;
inline constexpr std::size_t kOctetLanes = 8;
using ScoreQuad = ScoreLanes<std::int64_t, kQuadLanes>;
using ScoreOctet = ScoreLanes<std::int32_t, kOctetLanes>;

// Layer scores and the block minima of the layer before, of one score or of a batch. Row m
// holds D_m over window m and, around it, absent scores over every start layer m + 1 reads
// from it, so that the sweep of layer m + 1 reads the row in place.
template <class T>
struct LayerRows {
    std::vector<std::vector<T>> scores;  // row m: entry 0 is start origin[m]
    std::vector<std::int64_t> origin;    // the start of each row's entry 0
    std::vector<T> suffix;               // block suffix minima of layer m - 1

    // The entry of row m at start t.
    [[nodiscard]] T* at(std::size_t m, std::int64_t t) {
        return scores[m].data() + (t - origin[m]);
    }
};

// Work space of the known-number sweep.
struct KnownNumberWork {
    LayerRows<std::int64_t> rows;
    LayerRows<ScoreQuad> quads;       // for sweepKnownNumberBatch only
    std::vector<ScoreQuad> quadFits;  // the batch's fit scores over the hull
    LayerRows<ScoreOctet> octets;
    std::vector<ScoreOctet> octetFits;
};

// How far back beyond its own window a layer reads: Tmax - Tmin, 0 when Tmax < Tmin.
inline std::size_t reachOf(std::uint16_t wTmin, std::uint16_t wTmax) {
    return wTmax < wTmin ? 0 : std::size_t{wTmax} - wTmin;
}

// Sizes `work` for the layers of `windows` (work.rows.scores already holding one row per
// window) and the predecessor reach [t - Tmax, t - Tmin]: for sweepKnownNumber, or for
// sweepKnownNumberBatch and sweepTupleLanes when `batches` is set, their layers cycling through
// `patterns` patterns of rows (tuplePatterns).
void sizeKnownNumberWork(KnownNumberWork& work, std::span<const StartWindow> windows,
                         std::uint16_t wTmin, std::uint16_t wTmax, bool batches = false,
                         std::size_t patterns = 1);

// The recurrence of runKnownNumber with each layer's fits read from its row and every
// predecessor value taken from sliding-window minima: the same distance and chain, ties
// included (back-tracking searches each window directly for the earliest smallest start).
// layerFits : per layer m, the row of the candidates fitted for pulse m (covering window m)
KnownNumberResult sweepKnownNumber(std::span<const StartWindow> windows,
                                   std::span<const FitRow* const> layerFits,
                                   const KnownNumberSettings& settings, KnownNumberWork& work);

// sweepKnownNumber for up to kOctetLanes candidates at once, each fitting every layer with its
// own row (all over the same hull): result c is that of sweepKnownNumber with rows[c] on every
// layer.
std::vector<KnownNumberResult> sweepKnownNumberBatch(std::span<const StartWindow> windows,
                                                     std::span<const FitRow* const> rows,
                                                     const KnownNumberSettings& settings,
                                                     KnownNumberWork& work);

// One chain of tuples: layer m fits with members[(m + phase) % members.size()].
struct TupleLane {
    std::span<const FitRow* const> members;  // all over the same hull
    std::size_t phase = 0;
};

// The patterns of rows the layers of tuple lanes cycle through, one per layer at most: layer m
// of every lane fits with a row fixed by m modulo the least common multiple of the tuples' sizes.
std::size_t tuplePatterns(std::span<const std::size_t> sizes, std::size_t layers);

// sweepKnownNumber for each lane, up to kOctetLanes of them side by side at a time: result c is
// that of sweepKnownNumber with layer m fitting lanes[c]'s member for m.
std::vector<KnownNumberResult> sweepTupleLanes(std::span<const StartWindow> windows,
                                               std::span<const TupleLane> lanes,
                                               std::size_t patterns,
                                               const KnownNumberSettings& settings,
                                               KnownNumberWork& work);

}  // namespace mirovale
