#include "core/processing/chain_lanes.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

// The helpers of the kernel pass lanes by value; they are inlined into the passes, whose
// instruction sets pick the instructions, so the by-value ABI the warning is about never applies.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

// The per-function instruction set is spelled as GCC spells it; clang builds (the fuzzers) take
// the baseline kernel alone.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define MIROVALE_X86_LANES 1
#endif

namespace mirovale {
namespace {

using V = ChainLaneVector;

namespace baseline {
#include "core/processing/chain_lanes_kernel.inc"
}  // namespace baseline

#if defined(MIROVALE_X86_LANES)
#pragma GCC push_options
#pragma GCC target("avx2")
namespace avx2 {
#include "core/processing/chain_lanes_kernel.inc"
}  // namespace avx2
#pragma GCC pop_options
#endif

using RunLanes = void (*)(ChainLanes&, const AdmissibleSets&, std::uint16_t, std::uint16_t);

RunLanes chooseLanes(SweepKernels kernels) {
#if defined(MIROVALE_X86_LANES)
    __builtin_cpu_init();
    if (kernels != SweepKernels::Baseline && __builtin_cpu_supports("avx2")) return avx2::runLanes;
#endif
    (void)kernels;
    return baseline::runLanes;
}

}  // namespace

ChainLanes& threadChainLanes() {
    thread_local ChainLanes lanes;
    return lanes;
}

std::int64_t localScoreBound(std::span<const FitPlan> plans, std::int64_t peak) {
    std::int64_t bound = 0;
    for (const FitPlan& plan : plans) {
        // No candidate: every fit is the unreachable score of eight nines.
        if (plan.entries.empty()) bound = std::max<std::int64_t>(bound, 99999999);
        for (const FitPlan::Entry& e : plan.entries)
            bound = std::max(bound, e.energy + 2 * e.magnitude * peak);
    }
    return bound;
}

bool chainLanesFit(std::int64_t unreachable, std::int64_t bound, std::size_t starts,
                   std::uint16_t wTmin, std::uint16_t wTmax) {
    if (wTmin == 0 || wTmax < wTmin || starts == 0) return false;
    const auto pulses = static_cast<std::int64_t>((starts - 1) / wTmin + 1);
    return unreachable + (pulses + 1) * bound <= std::numeric_limits<std::int32_t>::max();
}

void reserveChainLanes(ChainLanes& table, std::size_t starts) {
    for (auto* row : {&table.local, &table.score, &table.back, &table.etalon, &table.entered,
                      &table.suffix, &table.suffixAt}) {
        if (row->size() < starts) row->resize(starts);
    }
    table.covered.reserve(starts);
}

void startChainLanes(ChainLanes& table, std::size_t starts, std::size_t lanes, LaneLinks links,
                     std::int32_t unreachable, std::uint16_t L, const AdmissibleSets& sets) {
    table.lanes = std::min(lanes, kChainLanes);
    table.starts = starts;
    table.links = links;
    table.unreachable = unreachable;
    table.L = L;
    reserveChainLanes(table, starts);
    const ChainLanes::ResetFor resetFor{sets.build, starts, links, unreachable};
    if (sets.build != 0 && table.resetFor == resetFor) return;
    table.resetFor = {};  // until the reset below is complete
    // Each start keeps what a fit (S, etalon) or a pass (G, back) writes there into every lane;
    // the others take their unreachable state. A list that filled up may have lost starts the
    // others hold, so each kind is reset outside its own lists: the fits cover F ∪ M with own
    // lanes, F ∩ M and M \ F in a cycle (whose lane 0 alone also takes F \ M); the passes cover
    // F \ M, F ∩ M and M \ F with own lanes, F ∩ M and M \ F in a cycle.
    constexpr std::uint8_t kFitted = 1;
    constexpr std::uint8_t kPassed = 2;
    table.covered.assign(starts, 0);
    const auto mark = [&](const IntervalList* list, std::uint8_t what) {
        for (std::size_t i = 0; list != nullptr && i < list->wIntervals; ++i) {
            const std::size_t to = std::min<std::size_t>(list->lpIntervalEnds[i] + 1u, starts);
            for (std::size_t t = list->lpIntervalBegins[i]; t < to; ++t) table.covered[t] |= what;
        }
    };
    const bool own = links == LaneLinks::Own;
    mark(own ? sets.fitted.get() : sets.both.get(), kFitted);
    if (!own) mark(sets.laterOnly.get(), kFitted);
    if (own) mark(sets.firstOnly.get(), kPassed);
    mark(sets.both.get(), kPassed);
    mark(sets.laterOnly.get(), kPassed);
    const ChainLaneRow u{baseline::splat(unreachable)};
    const ChainLaneRow none{baseline::splat(-1)};
    for (std::size_t t = 0; t < starts; ++t) {
        if (!(table.covered[t] & kFitted)) {
            table.local[t] = u;
            table.etalon[t] = none;
        }
        if (!(table.covered[t] & kPassed)) {
            table.score[t] = u;
            table.back[t] = u;
        }
    }
    table.resetFor = resetFor;
}

void fitChainLane(ChainLanes& table, std::size_t lane, const SeriesView& view,
                  const IntervalList* list, const FitPlan& plan, FitSweepBuffers& buffers) {
    if (list == nullptr) return;
    // Straight into the lane: one 32-bit store per row, a whole row apart.
    constexpr std::size_t kStride = sizeof(ChainLaneRow) / sizeof(std::int32_t);
    static_assert(sizeof(ChainLaneRow) == kChainLanes * sizeof(std::int32_t));
    std::int32_t* const local = reinterpret_cast<std::int32_t*>(table.local.data()) + lane;
    std::int32_t* const etalon = reinterpret_cast<std::int32_t*>(table.etalon.data()) + lane;
    for (std::size_t i = 0; i < list->wIntervals; ++i) {
        const std::size_t begin = list->lpIntervalBegins[i];
        const std::size_t end = list->lpIntervalEnds[i];
        const FitOut out{nullptr, local + begin * kStride, etalon + begin * kStride, kStride};
        fitStarts(plan, view, begin, end - begin + 1, out, buffers);
    }
}

void runChainLanes(ChainLanes& table, const AdmissibleSets& sets, std::uint16_t wTmin,
                   std::uint16_t wTmax, SweepKernels kernels) {
    static const RunLanes chosen[] = {chooseLanes(SweepKernels::Widest),
                                      chooseLanes(SweepKernels::UpToAvx2),
                                      chooseLanes(SweepKernels::Baseline)};
    chosen[static_cast<std::size_t>(kernels)](table, sets, wTmin, wTmax);
}

ChainEnd laneChainEnd(const ChainLanes& table, const IntervalList* list, std::size_t lane,
                      std::int64_t from) {
    ChainEnd end{false, 0, lane, from};
    forEachPosition(list, [&](std::size_t t) {
        const std::int64_t g = table.score[t].v[lane];
        if (g < end.score) end = {true, t, lane, g};
    });
    return end;
}

ChainEnd cycleChainEnd(const ChainLanes& table, const IntervalList* list, std::int64_t from) {
    ChainEnd end{false, 0, 0, from};
    forEachPosition(list, [&](std::size_t t) {
        for (std::size_t l = 0; l < table.lanes; ++l) {
            const std::int64_t g = table.score[t].v[l];
            if (g < end.score) end = {true, t, l, g};
        }
    });
    return end;
}

PulseChain traceLaneChain(const ChainLanes& table, const ChainEnd& end, const SeriesView& view,
                          std::span<const FitPlan* const> plans, bool settle) {
    PulseChain chain;
    std::vector<std::size_t> lanes;
    if (!end.found) return chain;
    std::size_t t = end.start;
    std::size_t l = end.layer;
    const std::size_t starts = table.starts;
    // Links point to cells computed earlier; the bound guards against a table never filled.
    const std::size_t most = table.lanes * starts;
    const auto L = static_cast<std::int32_t>(table.L);
    while (chain.size() < most) {
        const std::int32_t e = table.etalon[t].v[l];
        // The pieces of fitted cells are settled below.
        chain.push_back(
            e < 0 ? ChainPulse{static_cast<std::int32_t>(t), 1, 0, L - 1}
                  : ChainPulse{static_cast<std::int32_t>(t), e + 1, kUnsettled, kUnsettled});
        lanes.push_back(l);
        const std::int32_t b = table.back[t].v[l];
        if (b < 0 || static_cast<std::size_t>(b) >= starts) break;
        t = static_cast<std::size_t>(b);
        if (table.links == LaneLinks::Cycle) l = l == 0 ? table.lanes - 1 : l - 1;
    }
    std::reverse(chain.begin(), chain.end());
    std::reverse(lanes.begin(), lanes.end());
    if (!settle) return chain;
    for (std::size_t k = 0; k < chain.size(); ++k) {
        ChainPulse& pulse = chain[k];
        if (pulse.begin != kUnsettled) continue;
        const LocalFit fit = settleFit(*plans[lanes[k]], view,
                                       static_cast<std::size_t>(pulse.position), pulse.etalon - 1);
        pulse.begin = fit.begin;
        pulse.end = fit.end;
    }
    return chain;
}

}  // namespace mirovale
