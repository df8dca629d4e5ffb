// The chain lanes against the scalar passes of the unknown-number recurrence, lane by lane and
// with each instruction set's kernel (the routines that run them on lists and subsets longer
// than the lanes are compared with their literal transcriptions in the routines differential).

#include "core/processing/chain_lanes.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core/processing/sentinels.h"
#include "core/processing/unknown_number_sweep.h"
#include "differential_cases.h"

namespace mirovale {
namespace {

using namespace differential;

// The scalar run of the layers fitted with `plans` (one layer per plan), fitted as the routines
// fit them: a single layer of its own on the list F ∪ M; in a cycle layer 0 on F \ M, and every
// layer on F ∩ M and M \ F.
LayerTable scalarRun(const SeriesView& view, const AdmissibleSets& sets,
                     std::span<const FitPlan> plans, std::int64_t unreachable, const Inputs& in,
                     bool single) {
    LayerTable table;
    table.layers.assign(plans.size(), std::vector<ChainCell>(view.starts));
    SweepWork work;
    reserveSweepWork(work, plans.size(), view.starts, view.L);
    initLayers(table, unreachable, view.L);
    for (std::size_t l = 0; l < plans.size(); ++l) {
        if (single) {
            fitLayer(table, 0, view, sets.fitted.get(), plans[0], work);
            continue;
        }
        if (l == 0) fitLayer(table, 0, view, sets.firstOnly.get(), plans[0], work);
        fitLayer(table, l, view, sets.both.get(), plans[l], work);
        fitLayer(table, l, view, sets.laterOnly.get(), plans[l], work);
    }
    const PassSettings settings{unreachable, true, in.Tmin, in.Tmax};
    sweepFirstOnly(table, sets.firstOnly.get());
    sweepBoth(table, sets.both.get(), settings, work);
    sweepLaterOnly(table, sets.laterOnly.get(), settings, work);
    return table;
}

void expectSameEnd(const ChainEnd& got, const ChainEnd& want) {
    EXPECT_EQ(got.found, want.found);
    EXPECT_EQ(got.score, want.score);
    if (want.found) {
        EXPECT_EQ(got.start, want.start);
        EXPECT_EQ(got.layer, want.layer);
    }
}

std::vector<FitPlan> singlePlans(std::span<const FitCandidate> candidates, std::uint16_t L) {
    std::vector<FitPlan> plans;
    for (const FitCandidate& c : candidates) plans.push_back(makeFitPlan(std::span(&c, 1), L));
    return plans;
}

TEST(ChainLanes, EachKernelEqualsTheScalarPassesLaneByLane) {
    const int cases = differential::scaled(600);
    int ran = 0;
    ChainLanes lanes;  // reused across runs, as the routines reuse the thread's
    for (int k = 0; k < cases; ++k) {
        const std::uint32_t seed = 60000 + static_cast<std::uint32_t>(k);
        std::mt19937 rng(seed);
        const Case c = drawCase(rng);
        const SeriesView view = viewOf(*c.series);
        const AdmissibleSets sets = buildAdmissibleSets(view, c.series->wMinPulses,
                                                        c.series->wMaxPulses, c.in.Tmin, c.in.Tmax);
        // Own lanes: one candidate of the list each; a cycle: the subset's members as layers.
        const std::vector<FitPlan> own =
            singlePlans(makeFitCandidates(c.in.etalons, std::span<const std::uint16_t>(c.in.list),
                                          view.L, c.in.level),
                        view.L);
        const std::vector<FitPlan> cycle = singlePlans(
            makeSubsetCandidates(c.in.etalons, c.in.subset, view.L, c.in.level), view.L);
        const std::int64_t peak = samplePeak(view.x);
        for (const LaneLinks links : {LaneLinks::Own, LaneLinks::Cycle}) {
            const bool isOwn = links == LaneLinks::Own;
            const std::vector<FitPlan>& plans = isOwn ? own : cycle;
            const std::int64_t u = isOwn ? kEightNines : kNineNines;
            if (plans.empty() || plans.size() > kChainLanes ||
                !chainLanesFit(u, localScoreBound(plans, peak), view.starts, c.in.Tmin, c.in.Tmax))
                continue;
            ++ran;
            for (const SweepKernels kernels : {SweepKernels::Widest, SweepKernels::Baseline}) {
                SCOPED_TRACE(::testing::Message()
                             << "seed " << seed << (isOwn ? ", own" : ", cycle") << ", kernels "
                             << static_cast<int>(kernels));
                FitSweepBuffers buffers;
                startChainLanes(lanes, view.starts, plans.size(), links,
                                static_cast<std::int32_t>(u), view.L, sets);
                std::array<const FitPlan*, kChainLanes> lanePlans{};
                for (std::size_t l = 0; l < plans.size(); ++l) {
                    lanePlans[l] = &plans[l];
                    if (isOwn) {
                        fitChainLane(lanes, l, view, sets.fitted.get(), plans[l], buffers);
                        continue;
                    }
                    if (l == 0)
                        fitChainLane(lanes, 0, view, sets.firstOnly.get(), plans[0], buffers);
                    fitChainLane(lanes, l, view, sets.both.get(), plans[l], buffers);
                    fitChainLane(lanes, l, view, sets.laterOnly.get(), plans[l], buffers);
                }
                runChainLanes(lanes, sets, c.in.Tmin, c.in.Tmax, kernels);
                // lane: where an own lane's end is; its table has the single layer 0
                const auto compare = [&](const LayerTable& table, const ChainEnd& got,
                                         std::span<const FitPlan> layerPlans, std::int64_t from,
                                         std::size_t lane) {
                    const ChainEnd want = findChainEnd(table, sets.last.get(), from);
                    ChainEnd asLayer = got;
                    asLayer.layer -= lane;
                    expectSameEnd(asLayer, want);
                    EXPECT_EQ(traceLaneChain(lanes, got, view, lanePlans),
                              traceSettledChain(table, want, view, layerPlans));
                };
                if (isOwn) {
                    for (std::size_t l = 0; l < plans.size(); ++l) {
                        const LayerTable table =
                            scalarRun(view, sets, std::span(&plans[l], 1), u, c.in, true);
                        for (const std::int64_t from : {kEightNines, kNineNines}) {
                            compare(table, laneChainEnd(lanes, sets.last.get(), l, from),
                                    std::span(&plans[l], 1), from, l);
                        }
                    }
                } else {
                    const LayerTable table = scalarRun(view, sets, plans, u, c.in, false);
                    compare(table, cycleChainEnd(lanes, sets.last.get(), u), plans, u, 0);
                }
                if (::testing::Test::HasFailure()) return;  // one replayable failure
            }
        }
    }
    EXPECT_GT(ran, cases / 2);  // the lanes ran on most cases, not only on a few
}

}  // namespace
}  // namespace mirovale
