#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/processing/local_fit.h"

namespace mirovale {

// The candidates of a local fit prepared for fitting many consecutive starts at once. A piece
// [a..b] scores C[b + 1] - C[a] with C[j] = sum over m < j of e[m] (e[m] - 2 x[t + m]); the
// admissible ends of a begin a form a suffix b >= least end, so the best piece of a begin is the
// suffix minimum of C, and one start costs O(L) per candidate instead of O(L^2).
struct FitPlan {
    struct Entry {
        std::int32_t etalonIndex = 0;           // etalon number - 1
        std::span<const std::int16_t> samples;  // e[0..L-1]
        std::span<const std::int64_t> energy;   // P[j]: energy of e[0..j-1], j = 0..L
        std::int64_t magnitude = 0;             // sum of |e[m]|, bounds the correlation
        // Begins a with a piece of more than the threshold from a to the end, ascending, and
        // for each the least j = b + 1 whose piece [a..j-1] keeps more than the threshold.
        std::vector<std::uint16_t> begins;
        std::vector<std::uint16_t> leastStops;
        std::vector<std::uint8_t> rowUsed;  // [L + 1]: whether some begin or end reads C[j]
    };
    std::uint16_t L = 0;
    std::vector<Entry> entries;  // in list order
};

// Prepares `candidates` (kept alive by the caller: the plan refers to their samples and
// energies) for pulses of length L.
FitPlan makeFitPlan(std::span<const FitCandidate> candidates, std::uint16_t L);

// Work space of fitStarts, reused from call to call.
struct FitSweepBuffers {
    std::vector<std::int32_t> padded;  // the samples of one call with room for a whole block
    std::vector<std::int64_t> wide;    // per-block tables of the 64-bit sweep
    std::vector<std::int32_t> narrow;  // per-block tables of the 32-bit sweep
};

// Sizes `buffers` for plans of pulse length L and calls of up to `most` starts, so that fitStarts
// needs no further memory then.
void reserveFitSweep(FitSweepBuffers& buffers, std::uint16_t L, std::size_t most);

// Writes fitAt(view, first + i, plan's candidates) into out[i] for i < out.size(): the same
// etalon, piece and score, ties included (candidates in list order, the whole etalon before its
// pieces, pieces by ascending begin and end, a later one only when strictly smaller).
// first + out.size() - 1 + L <= view.x.size()
// Sums run in 32 bits where the samples' magnitudes prove they cannot wrap, in 64 otherwise.
void fitStarts(const FitPlan& plan, const SeriesView& view, std::size_t first,
               std::span<LocalFit> out, FitSweepBuffers& buffers);

}  // namespace mirovale
