#include "core/processing/reference/chain_detection.h"

#include "core/host/allocation.h"
#include "core/processing/local_fit.h"
#include "core/processing/sentinels.h"
#include "core/processing/unknown_number_chains.h"

namespace mirovale::reference {

template <class Number>
std::optional<DetectionOutcome> detectUnknownNumber(
    Host& host, const EtalonTable& etalons, std::span<const Number> list, std::uint16_t wTmin,
    std::uint16_t wTmax, std::uint16_t wLevel, const SeriesHeader& series, ChainsHeader* chains) {
    const SeriesView view = viewOf(series);
    std::vector<FitCandidate> candidates;
    if (!tryAllocate([&] { candidates.reserve(list.size()); })) {
        host.messageBox("Нет памяти для EtalonsPartialEnergy!", "", MessageIcon::None);
        return std::nullopt;
    }
    LayerTable table;
    if (!tryAllocate([&] {
            candidates = makeFitCandidates(etalons, list, view.L, wLevel);
            table.layers.assign(1, std::vector<ChainCell>(view.starts));
        })) {
        host.messageBox("Нет памяти для indexes!", "", MessageIcon::None);
        return std::nullopt;
    }
    if (chains != nullptr) resetChainsHeader(*chains, 0, 0, series.wMaxPulses);
    const AdmissibleSets sets =
        buildAdmissibleSets(view, series.wMinPulses, series.wMaxPulses, wTmin, wTmax);
    if (!checkAdmissibleSets(host, sets)) return std::nullopt;
    initLayers(table, kEightNines, view.L);
    prefitLayer(table, view, sets.fitted.get(), candidates);
    const PassSettings settings{kEightNines, true, wTmin, wTmax};
    passFirstOnly(table, view, sets.firstOnly.get(), {}, settings);
    passBoth(table, view, sets.both.get(), {}, settings);
    passLaterOnly(table, view, sets.laterOnly.get(), {}, settings);
    const ChainEnd end = findChainEnd(table, sets.last.get(), kEightNines);
    if (!end.found || end.score >= kSevenNines) return DetectionOutcome{kSevenNines, {}};
    return DetectionOutcome{end.score, traceChain(table, end)};
}

template <class Number>
std::optional<DetectionOutcome> detectKnownNumber(Host& host, const EtalonTable& etalons,
                                                  std::span<const Number> list,
                                                  std::uint16_t wLevel, const SeriesHeader& series,
                                                  std::span<const StartWindow> windows,
                                                  const KnownNumberSettings& settings,
                                                  ChainsHeader* chains) {
    const SeriesView view = viewOf(series);
    KnownNumberTable table;
    if (!tryAllocate([&] { table.layers.resize(windows.size()); })) {
        host.messageBox("Нет памяти для ppDw!", "", MessageIcon::None);
        return std::nullopt;
    }
    std::vector<FitCandidate> candidates;
    if (!tryAllocate([&] {
            candidates = makeFitCandidates(etalons, list, view.L, wLevel);
            for (auto& layer : table.layers) layer.assign(view.starts, {});
        })) {
        host.messageBox("Нет памяти для ppDw[m]!", "", MessageIcon::None);
        return std::nullopt;
    }
    if (chains != nullptr) {
        const auto K = static_cast<std::uint16_t>(windows.size());
        resetChainsHeader(*chains, K, K, K);
    }
    const std::vector<std::span<const FitCandidate>> layerCandidates(windows.size(), candidates);
    KnownNumberResult result = runKnownNumber(table, view, windows, layerCandidates, settings);
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

}  // namespace mirovale::reference
