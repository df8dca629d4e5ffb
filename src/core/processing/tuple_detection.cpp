#include "core/processing/tuple_detection.h"

#include <algorithm>

#include "core/host/allocation.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/detected_result.h"
#include "core/processing/known_number_sweep.h"
#include "core/processing/local_fit.h"
#include "core/processing/local_fit_sweep.h"
#include "core/processing/sentinels.h"

namespace mirovale {
namespace {

// The best phase of every subset tried so far.
struct TupleChoice {
    std::int64_t distance = kSevenNines;
    PulseChain chain;
    std::vector<TupleBounds> tuples;
    int subset = 0;  // 1-based, 0 = none
};

// The fits of the subsets' members over the hull of the windows: one row per distinct etalon,
// shared by every member, phase and subset that names it.
struct MemberFits {
    std::vector<FitPlan> plans;                        // per distinct etalon
    std::vector<FitRow> rows;                          // per distinct etalon
    std::vector<std::vector<std::size_t>> memberRows;  // [subset][member] -> row

    // Sizes the rows of the members of `subsets` (kept alive by the caller).
    void prepare(std::span<const std::vector<FitCandidate>> subsets, std::uint16_t L,
                 const StartWindow& hull) {
        std::vector<std::int32_t> etalonOfRow;
        for (const auto& members : subsets) {
            std::vector<std::size_t>& indexes = memberRows.emplace_back();
            for (const FitCandidate& member : members) {
                const auto known =
                    std::find(etalonOfRow.begin(), etalonOfRow.end(), member.etalonIndex);
                indexes.push_back(static_cast<std::size_t>(known - etalonOfRow.begin()));
                if (known != etalonOfRow.end()) continue;
                etalonOfRow.push_back(member.etalonIndex);
                plans.push_back(makeFitPlan(std::span(&member, 1), L));
                sizeFitRow(rows.emplace_back(), hull);
            }
        }
    }

    void fill(const SeriesView& view, FitSweepBuffers& buffers) {
        for (std::size_t r = 0; r < rows.size(); ++r) fillFitRow(rows[r], plans[r], view, buffers);
    }
};

// Tries the phases of one subset, whose member m fits with row memberRows[m], side by side, and
// offers each phase's chain in turn; a phase strictly better than `best` replaces it.
void tryPhases(std::span<const StartWindow> windows, const MemberFits& fits,
               std::span<const std::size_t> memberRows, std::uint16_t wSubsetProceeding,
               const KnownNumberSettings& settings, ChainsHeader* chains, int subsetNumber,
               TupleChoice& best, KnownNumberWork& work) {
    const std::size_t s = memberRows.size();
    std::vector<const FitRow*> members(s);
    for (std::size_t k = 0; k < s; ++k) members[k] = &fits.rows[memberRows[k]];
    // One phase sweeps alone, in the single score's rows; several side by side.
    std::vector<KnownNumberResult> results;
    if (wSubsetProceeding == 1) {
        std::vector<const FitRow*> layers(windows.size());
        for (std::size_t m = 0; m < layers.size(); ++m) layers[m] = members[m % s];
        results.push_back(sweepKnownNumber(windows, layers, settings, work));
    } else {
        results = sweepPhasesBatch(windows, members, s, settings, work);
    }
    for (std::size_t phase = 0; phase < results.size(); ++phase) {
        KnownNumberResult& result = results[phase];
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

// Sizes the work for `windows` and the member rows, as one allocation request: for the phases
// side by side, or for one phase alone.
void sizeTables(KnownNumberWork& work, MemberFits& fits, FitSweepBuffers& buffers,
                std::span<const StartWindow> windows, std::uint16_t wTmin, std::uint16_t wTmax,
                std::span<const std::vector<FitCandidate>> members, std::uint16_t L, bool phases) {
    const StartWindow hull = windowHull(windows);
    std::size_t most = 1;
    for (const auto& subset : members) most = std::max(most, subset.size());
    sizeKnownNumberWork(work, windows, wTmin, wTmax, phases, most);
    fits.prepare(members, L, hull);
    reserveFitSweep(buffers, L,
                    hull.hi < hull.lo ? 0 : static_cast<std::size_t>(hull.hi - hull.lo + 1));
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
    thread_local KnownNumberWork work;  // kept by the thread: a simulation sizes it once
    if (!tryAllocate([&] { work.rows.scores.resize(K); })) {
        host.messageBox("Нет памяти для ppDw!", "", MessageIcon::None);
        return 0;
    }
    std::vector<std::vector<FitCandidate>> members(1);
    MemberFits fits;
    thread_local FitSweepBuffers buffers;
    buffers.forget();  // the samples are another series' now
    if (!tryAllocate([&] {
            members[0] = makeSubsetCandidates(etalons, subset, view.L, wSavedEnergyProcessing);
            sizeTables(work, fits, buffers, windows, wTmin, wTmax, members, view.L,
                       wSubsetProceeding != 1);
        })) {
        host.messageBox("Нет памяти для ppDw[m]!", "", MessageIcon::None);
        return 0;
    }
    if (chains != nullptr) resetChainsHeader(*chains, K, K, K);
    const KnownNumberSettings settings{kSixNines, kSevenNines, kSixNines, wTmin, wTmax};
    TupleChoice best;
    if (!members[0].empty()) {
        fits.fill(view, buffers);
        tryPhases(windows, fits, fits.memberRows[0], wSubsetProceeding, settings, chains, 1, best,
                  work);
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
    thread_local KnownNumberWork work;  // kept by the thread: a simulation sizes it once
    if (!tryAllocate([&] { work.rows.scores.resize(windows.size()); })) {
        host.messageBox("Нет памяти для ppDw!", "", MessageIcon::None);
        return 0;
    }
    std::vector<std::vector<FitCandidate>> members(subsets);
    MemberFits fits;
    thread_local FitSweepBuffers buffers;
    buffers.forget();  // the samples are another series' now
    if (!tryAllocate([&] {
            for (std::size_t k = 0; k < subsets; ++k) {
                const std::size_t s = std::min<std::size_t>(subsetSizes[k], subsetRows[k].size());
                members[k] = makeSubsetCandidates(etalons, std::span(subsetRows[k]).first(s),
                                                  view.L, wSavedEnergyProcessing);
            }
            sizeTables(work, fits, buffers, windows, wTmin, wTmax, members, view.L,
                       wSubsetProceeding != 1);
        })) {
        host.messageBox("Нет памяти для ppDw[]!", "", MessageIcon::None);
        return 0;
    }
    const std::uint16_t K = series->wImpulseQuantity;
    if (chains != nullptr) resetChainsHeader(*chains, K, K, K);
    const KnownNumberSettings settings{kSixNines, kSevenNines, kSixNines, wTmin, wTmax};
    fits.fill(view, buffers);
    TupleChoice best;
    for (std::size_t k = 0; k < subsets; ++k) {
        if (members[k].empty()) continue;
        tryPhases(windows, fits, fits.memberRows[k], wSubsetProceeding, settings, chains,
                  static_cast<int>(k + 1), best, work);
    }
    writeChoice(*series, best);
    series->wRecognizedSubset = static_cast<std::uint16_t>(best.subset);
    if (chains != nullptr) chains->wSeekingPulsesQuantity = K;
    return best.subset;
}

}  // namespace mirovale
