#include "core/processing/tuple_recognition_unfixed.h"

#include <algorithm>
#include <array>

#include "core/host/allocation.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/chain_lanes.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/detected_result.h"
#include "core/processing/fit_plan_cache.h"
#include "core/processing/local_fit.h"
#include "core/processing/local_fit_sweep.h"
#include "core/processing/sentinels.h"
#include "core/processing/tuple_dumps.h"
#include "core/processing/unknown_number_chains.h"
#include "core/processing/unknown_number_sweep.h"

namespace mirovale {
namespace {

// What one subset's layered run found.
struct TupleRun {
    std::int64_t distance = 0;
    PulseChain chain;
    std::vector<TupleBounds> tuples;
};

// Everything a run needs besides the subset.
struct TupleContext {
    Host& host;
    const SeriesView& view;
    const AdmissibleSets& sets;
    std::int64_t unreachable;
    std::uint16_t wTmin;
    std::uint16_t wTmax;
    const std::uint32_t& dwDebuggingRepeat;
    SweepWork& work;
    ChainLanes* lanes;  // the layers side by side, or null for the table of layers
};

// The layered run of one subset whose members are prepared in `members` with one plan each in
// `plans`; `table` holds one layer per member. Layer 0 is fitted on F \ M, F ∩ M and M \ F,
// every other layer on F ∩ M and M \ F, as the passes fit them.
TupleRun runSubset(const TupleContext& context, LayerTable& table,
                   std::span<const FitCandidate> members, std::span<const FitPlan> plans) {
    TupleRun run{context.unreachable, {}, {}};
    if (table.layers.empty()) return run;
    const AdmissibleSets& sets = context.sets;
    initLayers(table, context.unreachable, context.view.L);
    for (std::size_t l = 0; l < table.layers.size(); ++l) {
        if (l == 0) fitLayer(table, 0, context.view, sets.firstOnly.get(), plans[0], context.work);
        fitLayer(table, l, context.view, sets.both.get(), plans[l], context.work);
        fitLayer(table, l, context.view, sets.laterOnly.get(), plans[l], context.work);
    }
    const PassSettings settings{context.unreachable, true, context.wTmin, context.wTmax};
    sweepFirstOnly(table, sets.firstOnly.get());
    if (context.dwDebuggingRepeat != 0) {
        dumpFirstOnly(context.host, sets.firstOnly.get(), table, context.unreachable);
    }
    sweepBoth(table, sets.both.get(), settings, context.work);
    if (context.dwDebuggingRepeat != 0) {
        dumpBoth(context.host, sets.both.get(), table, context.unreachable);
    }
    sweepLaterOnly(table, sets.laterOnly.get(), settings, context.work);
    const ChainEnd end = findChainEnd(table, sets.last.get(), context.unreachable);
    if (!end.found) return run;
    run.distance = end.score;
    run.chain = traceSettledChain(table, end, context.view, plans);
    run.tuples = tupleBounds(run.chain.size(), members.size(), 0);
    return run;
}

// The layered run of runSubset with the layers side by side in the context's lanes.
TupleRun runSubsetInLanes(const TupleContext& context, std::size_t layers,
                          std::span<const FitCandidate> members, std::span<const FitPlan> plans) {
    TupleRun run{context.unreachable, {}, {}};
    if (layers == 0) return run;
    const AdmissibleSets& sets = context.sets;
    ChainLanes& lanes = *context.lanes;
    FitSweepBuffers& buffers = context.work.fit;
    startChainLanes(lanes, context.view.starts, layers, LaneLinks::Cycle,
                    static_cast<std::int32_t>(context.unreachable), context.view.L, sets);
    std::array<const FitPlan*, kChainLanes> lanePlans{};
    for (std::size_t l = 0; l < layers; ++l) {
        lanePlans[l] = &plans[l];
        if (l == 0) fitChainLane(lanes, 0, context.view, sets.firstOnly.get(), plans[0], buffers);
        fitChainLane(lanes, l, context.view, sets.both.get(), plans[l], buffers);
        fitChainLane(lanes, l, context.view, sets.laterOnly.get(), plans[l], buffers);
    }
    runChainLanes(lanes, sets, context.wTmin, context.wTmax);
    const ChainEnd end = cycleChainEnd(lanes, sets.last.get(), context.unreachable);
    if (!end.found) return run;
    run.distance = end.score;
    run.chain = traceLaneChain(lanes, end, context.view, lanePlans);
    run.tuples = tupleBounds(run.chain.size(), members.size(), 0);
    return run;
}

// Makes the energies of every subset (request reported as EtalonsPartialEnergy) and the layer
// rows for the longest (two requests reported as G_on_layers), or, where the layers run side by
// side, points `lanes` at the thread's lanes and sizes them (reported as G_on_layers).
bool allocateTables(Host& host, const EtalonTable& etalons,
                    std::span<const std::span<const std::uint32_t>> subsets, const SeriesView& view,
                    std::uint16_t wLevel, std::uint16_t wMaxPulses,
                    const SubsetPlanCache::Prepared*& prepared,
                    std::vector<std::vector<ChainCell>>& rows, SweepWork& work, ChainLanes*& lanes,
                    const std::uint32_t& dwDebuggingRepeat, std::uint16_t wTmin,
                    std::uint16_t wTmax, std::int64_t unreachable) {
    // Kept by the thread, so that a simulation prepares its subsets once.
    thread_local SubsetPlanCache cache;
    if (!tryAllocate([&] { prepared = &cache.get(etalons, subsets, view.L, wLevel); })) {
        host.messageBox("Нет памяти для EtalonsPartialEnergy!", "", MessageIcon::None);
        return false;
    }
    const auto& members = prepared->members;
    const auto& plans = prepared->plans;
    std::size_t layers = 0;
    for (const auto& m : members) layers = std::max<std::size_t>(layers, m.size());
    layers = std::min<std::size_t>(layers, wMaxPulses);
    // The layers side by side in lanes when they fit there and no dump reads the table; the
    // lanes are kept by the thread, so that a simulation sizes them once.
    lanes = nullptr;
    if (dwDebuggingRepeat == 0 && layers <= kChainLanes) {
        std::int64_t bound = 0;
        const std::int64_t peak = samplePeak(view.x);
        for (const auto& memberPlans : plans)
            bound = std::max(bound, localScoreBound(memberPlans, peak));
        if (chainLanesFit(unreachable, bound, view.starts, wTmin, wTmax))
            lanes = &threadChainLanes();
    }
    if (lanes != nullptr) {
        // The same two requests as the rows of the table: the lanes, then the sweep's work.
        if (tryAllocate([&] { reserveChainLanes(*lanes, view.starts); }) &&
            tryAllocate([&] { reserveFitSweep(work.fit, view.L, view.starts); }))
            return true;
        host.messageBox("Нет памяти для G_on_layers!", "", MessageIcon::None);
        return false;
    }
    if (!tryAllocate([&] { rows.resize(layers); })) {
        host.messageBox("Нет памяти для G_on_layers!", "", MessageIcon::None);
        return false;
    }
    if (!tryAllocate([&] {
            for (auto& row : rows) row.assign(view.starts, {});
            reserveSweepWork(work, rows.size(), view.starts, view.L);
        })) {
        host.messageBox("Нет памяти для G_on_layers!", "", MessageIcon::None);
        return false;
    }
    return true;
}

// Runs one subset on the first min(s, wMaxPulses) rows, lent to a table of that many layers.
TupleRun runWithRows(const TupleContext& context, std::vector<std::vector<ChainCell>>& rows,
                     std::span<const FitCandidate> members, std::span<const FitPlan> plans,
                     std::uint16_t wMaxPulses) {
    const std::size_t layers = std::min<std::size_t>(members.size(), wMaxPulses);
    if (context.lanes != nullptr) return runSubsetInLanes(context, layers, members, plans);
    LayerTable table;
    for (std::size_t l = 0; l < layers; ++l) table.layers.push_back(std::move(rows[l]));
    TupleRun run = runSubset(context, table, members, plans);
    for (std::size_t l = 0; l < layers; ++l) rows[l] = std::move(table.layers[l]);
    return run;
}

void writeRun(SeriesHeader& series, ChainsHeader* chains, const TupleRun& run) {
    writeDetectedPulses(series, run.chain);
    writeDetectedTuples(series, run.tuples);
    if (chains != nullptr) {
        chains->wSeekingPulsesQuantity = static_cast<std::uint16_t>(run.chain.size());
    }
}

}  // namespace

int TuplesDetection(Host& host, const EtalonTable& etalons, std::span<const std::uint32_t> subset,
                    std::uint16_t /*wSubsetProceeding*/, std::uint16_t wTmin, std::uint16_t wTmax,
                    std::uint16_t wSavedEnergyProcessing, ChainsHeader* chains,
                    SeriesHeader* series, std::uint32_t& dwDebuggingRepeat) {
    if (series == nullptr) return 0;
    if (chains != nullptr) resetChainsHeader(*chains, 0, 0, series->wMaxPulses);
    const SeriesView view = viewOf(*series);
    const SubsetPlanCache::Prepared* prepared = nullptr;
    std::vector<std::vector<ChainCell>> rows;
    thread_local SweepWork work;  // kept by the thread: a simulation sizes it once
    work.fit.forget();            // the samples are another series' now
    ChainLanes* lanes = nullptr;
    const std::span<const std::uint32_t> subsets[] = {subset};
    if (!allocateTables(host, etalons, subsets, view, wSavedEnergyProcessing, series->wMaxPulses,
                        prepared, rows, work, lanes, dwDebuggingRepeat, wTmin, wTmax,
                        kEightNines)) {
        return 0;
    }
    const AdmissibleSets& sets =
        keptAdmissibleSets(view, series->wMinPulses, series->wMaxPulses, wTmin, wTmax);
    if (!checkAdmissibleSets(host, sets)) return 0;
    const TupleContext context{host, view, sets, kEightNines, wTmin, wTmax, dwDebuggingRepeat,
                               work, lanes};
    TupleRun run =
        runWithRows(context, rows, prepared->members[0], prepared->plans[0], series->wMaxPulses);
    if (chains != nullptr) rankChain(*chains, run.distance, run.chain);
    writeRun(*series, chains, run);
    dwDebuggingRepeat = 0;
    return 1;
}

int recognizeUnfixedTuples(Host& host, const EtalonTable& etalons,
                           std::span<const std::uint32_t> subsetSizes,
                           std::span<const std::vector<std::uint32_t>> subsetRows,
                           std::uint32_t dwSubsets, std::uint16_t /*wSubsetProceeding*/,
                           std::uint16_t wTmin, std::uint16_t wTmax,
                           std::uint16_t wSavedEnergyProcessing, ChainsHeader* chains,
                           SeriesHeader* series, std::uint32_t& dwDebuggingRepeat) {
    if (series == nullptr) return 0;
    if (chains != nullptr) resetChainsHeader(*chains, 0, 0, series->wMaxPulses);
    const SeriesView view = viewOf(*series);
    const std::size_t count =
        std::min({static_cast<std::size_t>(dwSubsets), subsetSizes.size(), subsetRows.size()});
    std::vector<std::span<const std::uint32_t>> subsets;
    for (std::size_t k = 0; k < count; ++k) {
        subsets.push_back(std::span(subsetRows[k])
                              .first(std::min<std::size_t>(subsetSizes[k], subsetRows[k].size())));
    }
    const SubsetPlanCache::Prepared* prepared = nullptr;
    std::vector<std::vector<ChainCell>> rows;
    thread_local SweepWork work;  // kept by the thread: a simulation sizes it once
    work.fit.forget();            // the samples are another series' now
    ChainLanes* lanes = nullptr;
    if (!allocateTables(host, etalons, subsets, view, wSavedEnergyProcessing, series->wMaxPulses,
                        prepared, rows, work, lanes, dwDebuggingRepeat, wTmin, wTmax, kNineNines)) {
        return 0;
    }
    const AdmissibleSets& sets =
        keptAdmissibleSets(view, series->wMinPulses, series->wMaxPulses, wTmin, wTmax);
    if (!checkAdmissibleSets(host, sets)) return 0;
    const TupleContext context{host, view, sets, kNineNines, wTmin, wTmax, dwDebuggingRepeat,
                               work, lanes};
    TupleRun best{kNineNines, {}, {}};
    std::uint16_t recognised = 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (prepared->members[k].empty()) continue;
        TupleRun run = runWithRows(context, rows, prepared->members[k], prepared->plans[k],
                                   series->wMaxPulses);
        if (chains != nullptr) rankChain(*chains, run.distance, run.chain);
        if (run.distance < best.distance) {
            best = std::move(run);
            recognised = static_cast<std::uint16_t>(k + 1);
        }
    }
    writeRun(*series, chains, best);
    series->wRecognizedSubset = recognised;
    dwDebuggingRepeat = 0;
    return 1;
}

}  // namespace mirovale
