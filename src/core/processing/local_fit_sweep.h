#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/processing/local_fit.h"

namespace mirovale {

// The candidates of a local fit prepared for fitting many consecutive starts at once. A piece
// [a..b] scores C[b + 1] - C[a] with C[j] = sum over m < j of e[m] (e[m] - 2 x[t + m]). The
// admissible ends of a begin form a suffix b + 1 >= its least stop, and least stops rise with
// the begin, so one forward pass over j finds the best piece: once j reaches a begin's stop the
// begin joins the running maximum H of C[a], and every j then offers C[j] - H. One start
// costs O(L) per candidate. Only the score is tracked: the piece is settled afterwards, for the
// few starts a chain keeps (settleFit).
struct FitPlan {
    struct Entry {
        std::int32_t etalonIndex = 0;  // etalon number - 1
        std::int64_t energy = 0;       // P[L]
        std::int64_t magnitude = 0;    // sum of |e[m]|, bounds the correlation
        std::size_t steps = 0;         // its L coefficients start here in slope, square and pairs
        // Begins 0..begins-1 keep more than the threshold from a to the end (a prefix, as P
        // rises); stops[stopsFrom + a] is the least j + 1 whose piece [a..j] keeps more.
        std::size_t begins = 0;
        std::size_t stopsFrom = 0;
        std::size_t firstStop = 0;  // the least stop of all; L + 1 when there is no piece
        // Whether every begin's samples up to its stop are zero but for the last (always so at
        // level 0): then C[a] = C[stop - 1], and each row admits the C it starts from, if any
        // begin stops there (admits[steps + r - 1]); gated when some row after the first stop
        // admits none.
        bool direct = false;
        bool gated = false;
    };
    std::uint16_t L = 0;
    std::vector<Entry> entries;        // in list order
    std::vector<std::int64_t> slope;   // -2 e[j]
    std::vector<std::int64_t> square;  // e[j]^2
    // Both as the 16-bit halves of one word (slope low), for the multiply-add of the word
    // (x, 1); pairsFit when every |e[j]| <= 181, so that both halves hold them.
    std::vector<std::int32_t> pairs;
    bool pairsFit = true;
    std::vector<std::uint16_t> stops;
    std::vector<std::uint8_t> admits;  // L per entry: whether some begin stops at row r
};

// Prepares `candidates` for pulses of length L.
FitPlan makeFitPlan(std::span<const FitCandidate> candidates, std::uint16_t L);

// Work space of fitStarts, reused from call to call.
struct FitSweepBuffers {
    std::vector<std::int32_t> narrowWords;  // what the sweep loads per start: the samples of one
                                            // call, or the words (x, 1) of the multiply-add
    std::vector<std::int32_t> narrowRows;   // C[a] of the begins waiting for their stop
    std::vector<std::int64_t> wideWords;    // the same for the 64-bit sweep
    std::vector<std::int64_t> wideRows;
    // The samples the words were laid out from, so that fitting other starts of the same
    // series, or the same starts with another plan, lays them out once: the whole series where
    // the words have room for it, else the samples of the call. The samples are known by where
    // they lie, which is unique while a routine runs (a series is not changed under it); a
    // caller that keeps the buffers from one series to the next must clear them (forget).
    struct Laid {
        const std::int16_t* samples = nullptr;
        std::size_t count = 0;  // samples laid out
        std::uint16_t L = 0;
        std::int64_t peak = 0;  // the largest magnitude among them
        int narrow = -1;        // what narrowWords hold: -1 nothing, 0 samples, 1 words (x, 1)
        bool wide = false;      // whether wideWords hold them
    };
    Laid laid;
    void forget() { laid = {}; }
};

// Sizes `buffers` for plans of pulse length L and calls of up to `most` starts, so that fitStarts
// needs no further memory then.
void reserveFitSweep(FitSweepBuffers& buffers, std::uint16_t L, std::size_t most);

// Fit of a start whose piece is not settled yet.
inline constexpr std::int32_t kUnsettled = -1;

// The instruction sets the sweep is built for. fitStarts runs the widest the processor has
// unless told to keep to a narrower one (the tests run each in turn).
enum class SweepKernels { Widest, UpToAvx2, Baseline };

// Writes the score and etalon of fitAt(view, first + i, plan's candidates) into out[i] for
// i < out.size(), ties included (candidates in list order, a later one only when strictly
// smaller); begin and end are left kUnsettled (settleFit gives them). With no candidates, or
// L = 0, the fits are complete.
// first + out.size() - 1 + L <= view.x.size()
// Sums run in 32 bits where the samples' magnitudes prove they cannot wrap, in 64 otherwise.
void fitStarts(const FitPlan& plan, const SeriesView& view, std::size_t first,
               std::span<LocalFit> out, FitSweepBuffers& buffers,
               SweepKernels kernels = SweepKernels::Widest);

// Where fitStarts writes start i's fit: the whole fit into fits[i], or, with fits null, only its
// score (cut to 32 bits) into scores[i * stride] and its etalon index into etalons[i * stride],
// as the chain lanes keep them.
struct FitOut {
    LocalFit* fits = nullptr;
    std::int32_t* scores = nullptr;
    std::int32_t* etalons = nullptr;
    std::size_t stride = 1;
};

// fitStarts for `count` starts written to `out`.
void fitStarts(const FitPlan& plan, const SeriesView& view, std::size_t first, std::size_t count,
               const FitOut& out, FitSweepBuffers& buffers,
               SweepKernels kernels = SweepKernels::Widest);

// The whole fit at start t whose etalon fitStarts chose: what fitAt gives over that etalon's
// candidate alone, which is the same score and, ties included, the piece the literal
// enumeration of the whole list keeps. O(L).
LocalFit settleFit(const FitPlan& plan, const SeriesView& view, std::size_t t,
                   std::int32_t etalonIndex);

}  // namespace mirovale
