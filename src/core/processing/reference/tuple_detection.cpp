#include "core/processing/reference/tuple_detection.h"

#include <algorithm>

#include "core/host/allocation.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/detected_result.h"
#include "core/processing/known_number_chains.h"
#include "core/processing/local_fit.h"
#include "core/processing/sentinels.h"

namespace mirovale::reference {
namespace {

// The best phase of one subset found so far.
struct TupleChoice {
    std::int64_t distance = kSevenNines;
    PulseChain chain;
    std::vector<TupleBounds> tuples;
    int subset = 0;  // 1-based, 0 = none
};

// Tries the phases of one subset (its members prepared in `members`, one per subset entry) and
// offers each phase's chain; a phase strictly better than `best` replaces it.
void tryPhases(KnownNumberTable& table, const SeriesView& view,
               std::span<const StartWindow> windows, std::span<const FitCandidate> members,
               std::uint16_t wSubsetProceeding, const KnownNumberSettings& settings,
               ChainsHeader* chains, int subsetNumber, TupleChoice& best) {
    const std::size_t s = members.size();
    const std::size_t phases = wSubsetProceeding == 1 ? 1 : s;
    for (std::size_t phase = 0; phase < phases; ++phase) {
        std::vector<std::span<const FitCandidate>> layers;
        for (std::size_t m = 0; m < windows.size(); ++m) {
            layers.push_back(members.subspan((m + phase) % s, 1));
        }
        KnownNumberResult result = runKnownNumber(table, view, windows, layers, settings);
        if (chains != nullptr) rankChain(*chains, result.distance, result.chain);
        if (result.distance < best.distance && !result.chain.empty()) {
            best.distance = result.distance;
            best.tuples = tupleBounds(result.chain.size(), s, phase);
            best.chain = std::move(result.chain);
            best.subset = subsetNumber;
        }
    }
}

void writeChoice(SeriesHeader& series, const TupleChoice& choice) {
    writeDetectedPulses(series, choice.chain);
    writeDetectedTuples(series, choice.tuples);
}

}  // namespace

int detectFixedTuples(Host& host, const EtalonTable& etalons, std::span<const std::uint32_t> subset,
                      std::uint16_t wSubsetProceeding, std::uint16_t wTmin, std::uint16_t wTmax,
                      std::uint16_t wSavedEnergyProcessing, ChainsHeader* chains,
                      SeriesHeader* series) {
    if (series == nullptr) return 0;
    const SeriesView view = viewOf(*series);
    const std::uint16_t K = series->wImpulseQuantity;
    const std::vector<StartWindow> windows = computedWindows(view, K, wTmin, wTmax);
    KnownNumberTable table;
    if (!tryAllocate([&] { table.layers.resize(K); })) {
        host.messageBox("Нет памяти для ppDw!", "", MessageIcon::None);
        return 0;
    }
    std::vector<FitCandidate> members;
    if (!tryAllocate([&] {
            members = makeSubsetCandidates(etalons, subset, view.L, wSavedEnergyProcessing);
            for (auto& layer : table.layers) layer.assign(view.starts, {});
        })) {
        host.messageBox("Нет памяти для ppDw[m]!", "", MessageIcon::None);
        return 0;
    }
    if (chains != nullptr) resetChainsHeader(*chains, K, K, K);
    const KnownNumberSettings settings{kSixNines, kSevenNines, kSixNines, wTmin, wTmax};
    TupleChoice best;
    if (!members.empty()) {
        tryPhases(table, view, windows, members, wSubsetProceeding, settings, chains, 1, best);
    }
    writeChoice(*series, best);
    return 1;
}

int recognizeFixedTuples(Host& host, const EtalonTable& etalons,
                         std::span<const std::uint32_t> subsetSizes,
                         std::span<const std::vector<std::uint32_t>> subsetRows,
                         std::uint32_t dwSubsets, std::uint16_t wSubsetProceeding,
                         std::uint16_t wTmin, std::uint16_t wTmax,
                         std::uint16_t wSavedEnergyProcessing, ChainsHeader* chains,
                         SeriesHeader* series) {
    if (series == nullptr) return 0;
    const SeriesView view = viewOf(*series);
    const std::vector<StartWindow> windows = seriesWindows(view, *series);
    const std::size_t subsets =
        std::min({static_cast<std::size_t>(dwSubsets), subsetSizes.size(), subsetRows.size()});
    KnownNumberTable table;
    if (!tryAllocate([&] { table.layers.resize(windows.size()); })) {
        host.messageBox("Нет памяти для ppDw!", "", MessageIcon::None);
        return 0;
    }
    std::vector<std::vector<FitCandidate>> members(subsets);
    if (!tryAllocate([&] {
            for (std::size_t k = 0; k < subsets; ++k) {
                const std::size_t s = std::min<std::size_t>(subsetSizes[k], subsetRows[k].size());
                members[k] = makeSubsetCandidates(etalons, std::span(subsetRows[k]).first(s),
                                                  view.L, wSavedEnergyProcessing);
            }
            for (auto& layer : table.layers) layer.assign(view.starts, {});
        })) {
        host.messageBox("Нет памяти для ppDw[]!", "", MessageIcon::None);
        return 0;
    }
    const std::uint16_t K = series->wImpulseQuantity;
    if (chains != nullptr) resetChainsHeader(*chains, K, K, K);
    const KnownNumberSettings settings{kSixNines, kSevenNines, kSixNines, wTmin, wTmax};
    TupleChoice best;
    for (std::size_t k = 0; k < subsets; ++k) {
        if (members[k].empty()) continue;
        tryPhases(table, view, windows, members[k], wSubsetProceeding, settings, chains,
                  static_cast<int>(k + 1), best);
    }
    writeChoice(*series, best);
    series->wRecognizedSubset = static_cast<std::uint16_t>(best.subset);
    if (chains != nullptr) chains->wSeekingPulsesQuantity = K;
    return best.subset;
}

}  // namespace mirovale::reference
