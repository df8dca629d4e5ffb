#include "core/processing/reference/pulse_recognition.h"

#include "core/host/allocation.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/detected_result.h"
#include "core/processing/known_number_chains.h"
#include "core/processing/local_fit.h"
#include "core/processing/sentinels.h"
#include "core/processing/unknown_number_chains.h"

namespace mirovale::reference {
namespace {

// The chain that ranks first: the first offered chain of strictly smallest distance.
struct LeadingChain {
    bool held = false;
    std::int64_t distance = 0;
    PulseChain chain;

    void offer(std::int64_t d, const PulseChain& c) {
        if (held && !(d < distance)) return;
        held = true;
        distance = d;
        chain = c;
    }
};

}  // namespace

int recognizeUnfixedPulses(Host& host, const EtalonTable& etalons,
                           std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                           std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                           ChainsHeader* chains, SeriesHeader* series) {
    if (series == nullptr) return 0;
    const SeriesView view = viewOf(*series);
    std::vector<FitCandidate> candidates;
    LayerTable table;
    if (!tryAllocate([&] {
            candidates = makeFitCandidates(etalons, requiredList, view.L, wSavedEnergyProcessing);
        }) ||
        !tryAllocate([&] { table.layers.assign(1, std::vector<ChainCell>(view.starts)); })) {
        host.messageBox("Нет памяти для indexes!", "", MessageIcon::None);
        return 0;
    }
    if (chains != nullptr) resetChainsHeader(*chains, series->wImpulseQuantity, 0, 0, false);
    const AdmissibleSets sets =
        buildAdmissibleSets(view, series->wMinPulses, series->wMaxPulses, wTmin, wTmax);
    if (!checkAdmissibleSets(host, sets)) return 0;
    const PassSettings settings{kEightNines, true, wTmin, wTmax};
    int recognised = -1;
    std::int64_t best = kSevenNines;
    LeadingChain leading;
    for (const FitCandidate& candidate : candidates) {
        initLayers(table, kEightNines, view.L);
        prefitLayer(table, view, sets.fitted.get(), std::span(&candidate, 1));
        passFirstOnly(table, view, sets.firstOnly.get(), {}, settings);
        passBoth(table, view, sets.both.get(), {}, settings);
        passLaterOnly(table, view, sets.laterOnly.get(), {}, settings);
        const ChainEnd end = findChainEnd(table, sets.last.get(), kEightNines);
        if (end.found && end.score < best) {
            best = end.score;
            recognised = candidate.etalonIndex + 1;
        }
        const ChainEnd ranked = findChainEnd(table, sets.last.get(), kNineNines);
        PulseChain chain = traceChain(table, ranked);
        for (ChainPulse& pulse : chain) pulse.etalon = candidate.etalonIndex + 1;
        leading.offer(ranked.score, chain);
        if (chains != nullptr) {
            rankChain(*chains, ranked.score, chain);
            if (chains->wPretenders > 0) {
                chains->wSeekingPulsesQuantity =
                    static_cast<std::uint16_t>(chains->pulsesQuantity[0]);
            }
        }
    }
    writeDetectedPulses(*series, leading.chain);
    return recognised;
}

int recognizeFixedPulses(Host& host, const EtalonTable& etalons,
                         std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                         std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                         ChainsHeader* chains, SeriesHeader* series) {
    if (series == nullptr) return -1;
    const SeriesView view = viewOf(*series);
    const std::vector<StartWindow> windows = seriesWindows(view, *series);
    KnownNumberTable table;
    if (!tryAllocate([&] { table.layers.resize(windows.size()); })) {
        host.messageBox("Нет памяти для ppDw!", "", MessageIcon::None);
        return -1;
    }
    std::vector<FitCandidate> candidates;
    if (!tryAllocate([&] {
            candidates = makeFitCandidates(etalons, requiredList, view.L, wSavedEnergyProcessing);
            for (auto& layer : table.layers) layer.assign(view.starts, {});
        })) {
        host.messageBox("Нет памяти для indexes!", "", MessageIcon::None);
        return -1;
    }
    const std::uint16_t K = series->wImpulseQuantity;
    if (chains != nullptr) resetChainsHeader(*chains, K, K, K);
    const KnownNumberSettings settings{kNineNines, kNineNines, kNineNines, wTmin, wTmax};
    int recognised = -1;
    std::int64_t best = kNineNines;
    PulseChain bestChain;
    for (const FitCandidate& candidate : candidates) {
        const std::vector<std::span<const FitCandidate>> layers(windows.size(),
                                                                std::span(&candidate, 1));
        KnownNumberResult result = runKnownNumber(table, view, windows, layers, settings);
        if (chains != nullptr) rankChain(*chains, result.distance, result.chain);
        if (result.distance < best && !result.chain.empty()) {
            best = result.distance;
            recognised = candidate.etalonIndex + 1;
            bestChain = std::move(result.chain);
        }
    }
    writeDetectedPulses(*series, bestChain);
    return recognised;
}

}  // namespace mirovale::reference
