#include "core/processing/chain_detection.h"

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

template <class Number>
std::optional<DetectionOutcome> detectUnknownNumber(
    Host& host, const EtalonTable& etalons, std::span<const Number> list, std::uint16_t wTmin,
    std::uint16_t wTmax, std::uint16_t wLevel, const SeriesHeader& series, ChainsHeader* chains) {
    const SeriesView view = viewOf(series);
    // The plan, the table and the work are kept by the thread: a simulation prepares the plan
    // and sizes the table with its first series.
    thread_local FitPlanCache plans;
    thread_local LayerTable table;
    thread_local SweepWork work;
    work.fit.forget();  // the samples are another series' now
    const FitPlanCache::Prepared* prepared = nullptr;
    if (!tryAllocate([&] { prepared = &plans.get(etalons, list, view.L, wLevel); })) {
        host.messageBox("Нет памяти для EtalonsPartialEnergy!", "", MessageIcon::None);
        return std::nullopt;
    }
    const FitPlan& plan = prepared->plan;
    // The single layer in a lane where no chain score can leave 32 bits: the lanes' passes cost
    // less than the scalar ones even for one layer.
    ChainLanes& lanes = threadChainLanes();
    const bool inLanes = chainLanesFit(kEightNines, localScoreBound(std::span(&plan, 1), seriesPeak(view)),
                                       view.starts, wTmin, wTmax);
    if (!tryAllocate([&] {
            if (inLanes) {
                reserveChainLanes(lanes, view.starts);
                reserveFitSweep(work.fit, view.L, view.starts);
                return;
            }
            table.layers.resize(1);
            table.layers[0].resize(view.starts);
            reserveSweepWork(work, 1, view.starts, view.L);
        })) {
        host.messageBox("Нет памяти для indexes!", "", MessageIcon::None);
        return std::nullopt;
    }
    if (chains != nullptr) resetChainsHeader(*chains, 0, 0, series.wMaxPulses);
    const AdmissibleSets& sets =
        keptAdmissibleSets(view, series.wMinPulses, series.wMaxPulses, wTmin, wTmax);
    if (!checkAdmissibleSets(host, sets)) return std::nullopt;
    if (inLanes) {
        startChainLanes(lanes, view.starts, 1, LaneLinks::Own, kEightNines, view.L, sets);
        fitChainLane(lanes, 0, view, sets.fitted.get(), plan, work.fit);
        runChainLanes(lanes, sets, wTmin, wTmax);
        const ChainEnd end = laneChainEnd(lanes, sets.last.get(), 0, kEightNines);
        if (!end.found || end.score >= kSevenNines) return DetectionOutcome{kSevenNines, {}};
        const FitPlan* const lanePlans[] = {&plan};
        return DetectionOutcome{end.score, traceLaneChain(lanes, end, view, lanePlans)};
    }
    initLayers(table, kEightNines, view.L);
    fitLayer(table, 0, view, sets.fitted.get(), plan, work);
    const PassSettings settings{kEightNines, true, wTmin, wTmax};
    sweepFirstOnly(table, sets.firstOnly.get());
    sweepBoth(table, sets.both.get(), settings, work);
    sweepLaterOnly(table, sets.laterOnly.get(), settings, work);
    const ChainEnd end = findChainEnd(table, sets.last.get(), kEightNines);
    if (!end.found || end.score >= kSevenNines) return DetectionOutcome{kSevenNines, {}};
    return DetectionOutcome{end.score, traceSettledChain(table, end, view, std::span(&plan, 1))};
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
            plan = &plans.get(etalons, list, view.L, wLevel).plan;
            sizeKnownNumberWork(work, windows, reachOf(settings.wTmin, settings.wTmax));
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
