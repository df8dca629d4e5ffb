#include "core/processing/tuple_detection.h"

#include <algorithm>
#include <optional>

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

// The chains the subsets' phases make, subset by subset and phase by phase: every phase of every
// non-empty subset side by side in lanes, or a single one alone in the single score's rows,
// since a batch of one lane costs more to lay out than it saves.
struct TupleRuns {
    std::vector<std::vector<const FitRow*>> members;  // per subset
    std::vector<TupleLane> lanes;                     // per subset and phase
    std::vector<int> subsetOf;                        // per lane: 1-based subset number
    std::size_t patterns = 1;

    TupleRuns(const MemberFits& fits, std::size_t layers, std::uint16_t wSubsetProceeding) {
        std::vector<std::size_t> sizes;
        for (const std::vector<std::size_t>& rows : fits.memberRows) {
            std::vector<const FitRow*>& subset = members.emplace_back();
            for (const std::size_t row : rows) subset.push_back(&fits.rows[row]);
            sizes.push_back(subset.size());
        }
        for (std::size_t k = 0; k < members.size(); ++k) {
            if (members[k].empty()) continue;  // a subset naming no usable etalon is not tried
            const std::size_t phases = wSubsetProceeding == 1 ? 1 : members[k].size();
            for (std::size_t phase = 0; phase < phases; ++phase) {
                lanes.push_back({members[k], phase});
                subsetOf.push_back(static_cast<int>(k + 1));
            }
        }
        patterns = tuplePatterns(sizes, layers);
    }

    [[nodiscard]] bool batched() const { return lanes.size() > 1; }

    std::vector<KnownNumberResult> run(std::span<const StartWindow> windows,
                                       const KnownNumberSettings& settings,
                                       KnownNumberWork& work) const {
        if (batched()) return sweepTupleLanes(windows, lanes, patterns, settings, work);
        std::vector<KnownNumberResult> results;
        if (lanes.empty()) return results;
        const std::span<const FitRow* const> subset = lanes[0].members;
        std::vector<const FitRow*> layers(windows.size());
        for (std::size_t m = 0; m < layers.size(); ++m) layers[m] = subset[m % subset.size()];
        results.push_back(sweepKnownNumber(windows, layers, settings, work));
        return results;
    }
};

// Offers every lane's chain in turn; one strictly better than `best` replaces it.
void offerRuns(const TupleRuns& runs, std::vector<KnownNumberResult> results, ChainsHeader* chains,
               TupleChoice& best) {
    for (std::size_t c = 0; c < results.size(); ++c) {
        KnownNumberResult& result = results[c];
        if (chains != nullptr) rankChain(*chains, result.distance, result.chain);
        if (result.distance < best.distance && !result.chain.empty()) {
            best.distance = result.distance;
            best.tuples =
                tupleBounds(result.chain.size(), runs.lanes[c].members.size(), runs.lanes[c].phase);
            best.chain = std::move(result.chain);
            best.subset = runs.subsetOf[c];
        }
    }
}

void writeChoice(SeriesHeader& series, const TupleChoice& choice) {
    writeDetectedPulses(series, choice.chain);
    writeDetectedTuples(series, choice.tuples);
}

// Prepares the member rows and the runs of their phases, and sizes the work for `windows`, as
// one allocation request.
void sizeTables(KnownNumberWork& work, MemberFits& fits, std::optional<TupleRuns>& runs,
                FitSweepBuffers& buffers, std::span<const StartWindow> windows, std::uint16_t wTmin,
                std::uint16_t wTmax, std::span<const std::vector<FitCandidate>> members,
                std::uint16_t L, std::uint16_t wSubsetProceeding) {
    const StartWindow hull = windowHull(windows);
    fits.prepare(members, L, hull);
    runs.emplace(fits, windows.size(), wSubsetProceeding);
    sizeKnownNumberWork(work, windows, wTmin, wTmax, runs->batched(), runs->patterns);
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
    std::optional<TupleRuns> runs;
    thread_local FitSweepBuffers buffers;
    buffers.forget();  // the samples are another series' now
    if (!tryAllocate([&] {
            members[0] = makeSubsetCandidates(etalons, subset, view.L, wSavedEnergyProcessing);
            sizeTables(work, fits, runs, buffers, windows, wTmin, wTmax, members, view.L,
                       wSubsetProceeding);
        })) {
        host.messageBox("Нет памяти для ppDw[m]!", "", MessageIcon::None);
        return 0;
    }
    if (chains != nullptr) resetChainsHeader(*chains, K, K, K);
    const KnownNumberSettings settings{kSixNines, kSevenNines, kSixNines, wTmin, wTmax};
    TupleChoice best;
    fits.fill(view, buffers);
    offerRuns(*runs, runs->run(windows, settings, work), chains, best);
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
    std::optional<TupleRuns> runs;
    thread_local FitSweepBuffers buffers;
    buffers.forget();  // the samples are another series' now
    if (!tryAllocate([&] {
            for (std::size_t k = 0; k < subsets; ++k) {
                const std::size_t s = std::min<std::size_t>(subsetSizes[k], subsetRows[k].size());
                members[k] = makeSubsetCandidates(etalons, std::span(subsetRows[k]).first(s),
                                                  view.L, wSavedEnergyProcessing);
            }
            sizeTables(work, fits, runs, buffers, windows, wTmin, wTmax, members, view.L,
                       wSubsetProceeding);
        })) {
        host.messageBox("Нет памяти для ppDw[]!", "", MessageIcon::None);
        return 0;
    }
    const std::uint16_t K = series->wImpulseQuantity;
    if (chains != nullptr) resetChainsHeader(*chains, K, K, K);
    const KnownNumberSettings settings{kSixNines, kSevenNines, kSixNines, wTmin, wTmax};
    fits.fill(view, buffers);
    TupleChoice best;
    offerRuns(*runs, runs->run(windows, settings, work), chains, best);
    writeChoice(*series, best);
    series->wRecognizedSubset = static_cast<std::uint16_t>(best.subset);
    if (chains != nullptr) chains->wSeekingPulsesQuantity = K;
    return best.subset;
}

}  // namespace mirovale
