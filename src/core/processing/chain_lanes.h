#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/processing/admissible_sets.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/local_fit.h"
#include "core/processing/local_fit_sweep.h"
#include "core/processing/unknown_number_chains.h"

namespace mirovale {

// The unknown-number recurrence (unknown_number_chains.h, the passes of unknown_number_sweep.h)
// for up to kChainLanes layers side by side, one 32-bit lane each, so that a start's window
// minima and updates of every layer are one vector operation. It gives the scores, links and
// ends the scalar passes give, ties included, as long as no sum leaves 32 bits
// (chainLanesFit).
inline constexpr std::size_t kChainLanes = 8;
using ChainLaneVector = std::int32_t __attribute__((vector_size(4 * kChainLanes)));
// One vector of lanes as a row element: the alignment of a vector type does not reach the
// allocator when the type is a template argument, that of a class does.
struct alignas(ChainLaneVector) ChainLaneRow {
    ChainLaneVector v;
};

// How the lanes continue one another.
enum class LaneLinks {
    Own,    // every lane is the single layer of a table of its own and starts chains
    Cycle,  // lane l is layer l of one table; it continues lane l - 1 (lane 0 the last in use),
            // and only lane 0 starts chains
};

// The table of the lanes and the window work of the passes, reused from call to call.
struct ChainLanes {
    std::size_t lanes = 0;   // lanes in use
    std::size_t starts = 0;  // starts in use; the rows may be longer
    LaneLinks links = LaneLinks::Own;
    std::int32_t unreachable = 0;
    std::uint16_t L = 0;
    // Per start: S, G, back link and etalon index (-1 where no fit was stored).
    std::vector<ChainLaneRow> local, score, back, etalon;
    // Per start: what the sliding windows took in, and their blocks' suffix minima.
    std::vector<ChainLaneRow> entered, suffix, suffixAt;
    std::vector<std::uint8_t> covered;  // per start: which kinds of cells a run writes there
    // What the cells outside the runs' writes were last put in their unreachable state for; a
    // run with the same finds them so still, since runs write only where they cover.
    struct ResetFor {
        std::uint64_t build = 0;  // of the admissible sets; 0 never matches
        std::size_t starts = 0;
        LaneLinks links = LaneLinks::Own;
        std::int32_t unreachable = 0;
        friend bool operator==(const ResetFor&, const ResetFor&) = default;
    };
    ResetFor resetFor;
};

// The lanes of the calling thread, shared by the routines (none of which runs inside another),
// so that a simulation sizes them once per thread.
ChainLanes& threadChainLanes();

// The most any local score of `plans` can reach in magnitude on samples of magnitude `peak`.
std::int64_t localScoreBound(std::span<const FitPlan> plans, std::int64_t peak);

// Whether the lanes can run the recurrence: Tmin > 0 (so that a chain holds at most
// (starts - 1) / Tmin + 1 pulses and no window reaches its own start) and every chain score,
// U plus that many local scores of magnitude `bound`, stays within 32 bits.
bool chainLanesFit(std::int64_t unreachable, std::int64_t bound, std::size_t starts,
                   std::uint16_t wTmin, std::uint16_t wTmax);

// Sizes the rows for `starts` starts, so that startChainLanes allocates nothing then.
void reserveChainLanes(ChainLanes& table, std::size_t starts);

// Starts a run of `lanes` lanes over `starts` starts: every cell the run's fits and passes do
// not write is put in its unreachable state. The fits must then cover every lane in use on the
// list F ∪ M (own lanes), or every lane on the lists F ∩ M and M \ F and lane 0 also on F \ M
// (a cycle), as the routines fit them.
void startChainLanes(ChainLanes& table, std::size_t starts, std::size_t lanes, LaneLinks links,
                     std::int32_t unreachable, std::uint16_t L, const AdmissibleSets& sets);

// Stores the fits of `plan` at every start of `list` (null = empty) in lane `lane`.
void fitChainLane(ChainLanes& table, std::size_t lane, const SeriesView& view,
                  const IntervalList* list, const FitPlan& plan, FitSweepBuffers& buffers);

// The passes F \ M, F ∩ M and M \ F over every lane in use, built for the widest instruction set
// the processor runs (AVX2 on x86-64) unless told to keep to the baseline (the tests run both).
void runChainLanes(ChainLanes& table, const AdmissibleSets& sets, std::uint16_t wTmin,
                   std::uint16_t wTmax, SweepKernels kernels = SweepKernels::Widest);

// The end of lane `lane` as findChainEnd gives it for a table of its own (Own links).
ChainEnd laneChainEnd(const ChainLanes& table, const IntervalList* list, std::size_t lane,
                      std::int64_t from);

// The end over every lane in use as findChainEnd gives it for one table of layers (Cycle links).
ChainEnd cycleChainEnd(const ChainLanes& table, const IntervalList* list, std::int64_t from);

// The chain ending at `end`; a cell no fit was stored in gives etalon 1 and the whole piece.
// With `settle`, every fitted pulse's piece is settled from the plan of its lane (plans[lane]);
// otherwise it stays kUnsettled, for a chain whose pieces nobody reads.
PulseChain traceLaneChain(const ChainLanes& table, const ChainEnd& end, const SeriesView& view,
                          std::span<const FitPlan* const> plans, bool settle = true);

}  // namespace mirovale
