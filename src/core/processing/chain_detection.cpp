#include "core/processing/chain_detection.h"

#include <array>

#include "core/host/allocation.h"
#include "core/processing/chain_lanes.h"
#include "core/processing/fit_plan_cache.h"
#include "core/processing/known_number_sweep.h"
#include "core/processing/local_fit.h"
#include "core/processing/local_fit_sweep.h"
#include "core/processing/sentinels.h"
#include "core/processing/unknown_number_chains.h"
#include "core/processing/unknown_number_sweep.h"

namespace mirovale {

namespace {

// Kept by the thread: a simulation prepares the plans and sizes the tables with its first
// series, alphabet recognition shares them between its alphabets.
struct UnknownNumberWork {
    FitPlanCache plans;
    LayerTable table;
    SweepWork work;
};

UnknownNumberWork& unknownNumberWork() {
    thread_local UnknownNumberWork kept;
    return kept;
}

// What detection with an unknown number sets up before its passes.
struct UnknownNumberSetup {
    const FitPlan* plan = nullptr;
    const AdmissibleSets* sets = nullptr;
    bool inLanes = false;  // the passes run in a chain lane
};

// The allocation requests, reports and sets of detectUnknownNumber, in its order.
template <class Number>
std::optional<UnknownNumberSetup> prepareUnknownNumber(
    Host& host, const EtalonTable& etalons, std::span<const Number> list, std::uint16_t wTmin,
    std::uint16_t wTmax, std::uint16_t wLevel, const SeriesHeader& series, ChainsHeader* chains) {
    const SeriesView view = viewOf(series);
    UnknownNumberWork& kept = unknownNumberWork();
    kept.work.fit.forget();  // the samples are another series' now
    UnknownNumberSetup setup;
    if (!tryAllocate([&] { setup.plan = &kept.plans.get(etalons, list, view.L, wLevel); })) {
        host.messageBox("Нет памяти для EtalonsPartialEnergy!", "", MessageIcon::None);
        return std::nullopt;
    }
    // The single layer in a lane where no chain score can leave 32 bits: the lanes' passes cost
    // less than the scalar ones even for one layer.
    setup.inLanes =
        chainLanesFit(kEightNines, localScoreBound(std::span(setup.plan, 1), samplePeak(view.x)),
                      view.starts, wTmin, wTmax);
    if (!tryAllocate([&] {
            reserveFitSweep(kept.work.fit, view.L, view.starts);
            if (setup.inLanes) {
                reserveChainLanes(threadChainLanes(), view.starts);
                return;
            }
            kept.table.layers.resize(1);
            kept.table.layers[0].resize(view.starts);
            reserveSweepWork(kept.work, 1, view.starts, view.L);
        })) {
        host.messageBox("Нет памяти для indexes!", "", MessageIcon::None);
        return std::nullopt;
    }
    if (chains != nullptr) resetChainsHeader(*chains, 0, 0, series.wMaxPulses);
    setup.sets = &keptAdmissibleSets(view, series.wMinPulses, series.wMaxPulses, wTmin, wTmax);
    if (!checkAdmissibleSets(host, *setup.sets)) return std::nullopt;
    return setup;
}

// The chain accepted at `end`, or none.
DetectionOutcome accepted(const ChainEnd& end, const auto& trace) {
    if (!end.found || end.score >= kSevenNines) return DetectionOutcome{kSevenNines, {}};
    return DetectionOutcome{end.score, trace()};
}

// The passes, the end and the chain of one prepared detection.
DetectionOutcome runUnknownNumber(const UnknownNumberSetup& setup, const SeriesView& view,
                                  std::uint16_t wTmin, std::uint16_t wTmax) {
    const FitPlan& plan = *setup.plan;
    const AdmissibleSets& sets = *setup.sets;
    UnknownNumberWork& kept = unknownNumberWork();
    if (setup.inLanes) {
        ChainLanes& lanes = threadChainLanes();
        startChainLanes(lanes, view.starts, 1, LaneLinks::Own, kEightNines, view.L, sets);
        fitChainLane(lanes, 0, view, sets.fitted.get(), plan, kept.work.fit);
        runChainLanes(lanes, sets, wTmin, wTmax);
        const ChainEnd end = laneChainEnd(lanes, sets.last.get(), 0, kEightNines);
        const FitPlan* const lanePlans[] = {&plan};
        return accepted(end, [&] { return traceLaneChain(lanes, end, view, lanePlans); });
    }
    LayerTable& table = kept.table;
    initLayers(table, kEightNines, view.L);
    fitLayer(table, 0, view, sets.fitted.get(), plan, kept.work);
    const PassSettings settings{kEightNines, true, wTmin, wTmax};
    sweepFirstOnly(table, sets.firstOnly.get());
    sweepBoth(table, sets.both.get(), settings, kept.work);
    sweepLaterOnly(table, sets.laterOnly.get(), settings, kept.work);
    const ChainEnd end = findChainEnd(table, sets.last.get(), kEightNines);
    return accepted(end, [&] { return traceSettledChain(table, end, view, std::span(&plan, 1)); });
}

}  // namespace

template <class Number>
std::optional<DetectionOutcome> detectUnknownNumber(
    Host& host, const EtalonTable& etalons, std::span<const Number> list, std::uint16_t wTmin,
    std::uint16_t wTmax, std::uint16_t wLevel, const SeriesHeader& series, ChainsHeader* chains) {
    const auto setup =
        prepareUnknownNumber(host, etalons, list, wTmin, wTmax, wLevel, series, chains);
    if (!setup) return std::nullopt;
    return runUnknownNumber(*setup, viewOf(series), wTmin, wTmax);
}

bool detectUnknownNumbers(Host& host, const EtalonTable& etalons,
                          std::span<const std::span<const std::int16_t>> lists, std::uint16_t wTmin,
                          std::uint16_t wTmax, std::uint16_t wLevel, const SeriesHeader& series,
                          std::vector<std::optional<DetectionOutcome>>& outcomes) {
    // Every list's plan must stay held while all are prepared.
    if (lists.size() > kChainLanes || lists.size() > FitPlanCache::kEntries) return false;
    const SeriesView view = viewOf(series);
    std::vector<std::optional<UnknownNumberSetup>> setups;
    bool allInLanes = true;
    for (const auto list : lists) {
        setups.push_back(
            prepareUnknownNumber(host, etalons, list, wTmin, wTmax, wLevel, series, nullptr));
        if (setups.back()) allInLanes = allInLanes && setups.back()->inLanes;
    }
    outcomes.assign(lists.size(), std::nullopt);
    if (!allInLanes) {
        for (std::size_t k = 0; k < lists.size(); ++k)
            if (setups[k]) outcomes[k] = runUnknownNumber(*setups[k], view, wTmin, wTmax);
        return true;
    }
    // One lane per prepared list, all over the same sets.
    std::vector<std::size_t> laneOf;  // list of each lane
    std::array<const FitPlan*, kChainLanes> lanePlans{};
    for (std::size_t k = 0; k < lists.size(); ++k) {
        if (!setups[k]) continue;
        lanePlans[laneOf.size()] = setups[k]->plan;
        laneOf.push_back(k);
    }
    if (laneOf.empty()) return true;
    const AdmissibleSets& sets = *setups[laneOf[0]]->sets;
    ChainLanes& lanes = threadChainLanes();
    FitSweepBuffers& buffers = unknownNumberWork().work.fit;
    startChainLanes(lanes, view.starts, laneOf.size(), LaneLinks::Own, kEightNines, view.L, sets);
    for (std::size_t l = 0; l < laneOf.size(); ++l)
        fitChainLane(lanes, l, view, sets.fitted.get(), *lanePlans[l], buffers);
    runChainLanes(lanes, sets, wTmin, wTmax);
    for (std::size_t l = 0; l < laneOf.size(); ++l) {
        const ChainEnd end = laneChainEnd(lanes, sets.last.get(), l, kEightNines);
        outcomes[laneOf[l]] =
            accepted(end, [&] { return traceLaneChain(lanes, end, view, lanePlans); });
    }
    return true;
}

template <class Number>
std::optional<DetectionOutcome> detectKnownNumber(Host& host, const EtalonTable& etalons,
                                                  std::span<const Number> list,
                                                  std::uint16_t wLevel, const SeriesHeader& series,
                                                  std::span<const StartWindow> windows,
                                                  const KnownNumberSettings& settings,
                                                  ChainsHeader* chains) {
    const SeriesView view = viewOf(series);
    // Kept by the thread, as for the unknown number.
    thread_local FitPlanCache plans;
    thread_local KnownNumberWork work;
    thread_local FitRow fits;
    thread_local FitSweepBuffers buffers;
    buffers.forget();  // the samples are another series' now
    if (!tryAllocate([&] { work.rows.scores.resize(windows.size()); })) {
        host.messageBox("Нет памяти для ppDw!", "", MessageIcon::None);
        return std::nullopt;
    }
    const FitPlan* plan = nullptr;
    if (!tryAllocate([&] {
            plan = &plans.get(etalons, list, view.L, wLevel);
            sizeKnownNumberWork(work, windows, settings.wTmin, settings.wTmax);
            sizeFitRow(fits, windowHull(windows));
            reserveFitSweep(buffers, view.L, fits.fits.size());
        })) {
        host.messageBox("Нет памяти для ppDw[m]!", "", MessageIcon::None);
        return std::nullopt;
    }
    if (chains != nullptr) {
        const auto K = static_cast<std::uint16_t>(windows.size());
        resetChainsHeader(*chains, K, K, K);
    }
    fillFitRow(fits, *plan, view, buffers);
    const std::vector<const FitRow*> layerFits(windows.size(), &fits);
    KnownNumberResult result = sweepKnownNumber(windows, layerFits, settings, work);
    return DetectionOutcome{result.distance, std::move(result.chain)};
}

template std::optional<DetectionOutcome> detectUnknownNumber(Host&, const EtalonTable&,
                                                             std::span<const std::uint16_t>,
                                                             std::uint16_t, std::uint16_t,
                                                             std::uint16_t, const SeriesHeader&,
                                                             ChainsHeader*);
template std::optional<DetectionOutcome> detectUnknownNumber(Host&, const EtalonTable&,
                                                             std::span<const std::int16_t>,
                                                             std::uint16_t, std::uint16_t,
                                                             std::uint16_t, const SeriesHeader&,
                                                             ChainsHeader*);
template std::optional<DetectionOutcome> detectKnownNumber(
    Host&, const EtalonTable&, std::span<const std::uint16_t>, std::uint16_t, const SeriesHeader&,
    std::span<const StartWindow>, const KnownNumberSettings&, ChainsHeader*);
template std::optional<DetectionOutcome> detectKnownNumber(
    Host&, const EtalonTable&, std::span<const std::int16_t>, std::uint16_t, const SeriesHeader&,
    std::span<const StartWindow>, const KnownNumberSettings&, ChainsHeader*);

}  // namespace mirovale
