#include "core/processing/pulse_recognition.h"

#include <algorithm>
#include <array>

#include "core/host/allocation.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/chain_lanes.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/detected_result.h"
#include "core/processing/known_number_sweep.h"
#include "core/processing/local_fit.h"
#include "core/processing/local_fit_sweep.h"
#include "core/processing/sentinels.h"
#include "core/processing/unknown_number_chains.h"
#include "core/processing/unknown_number_sweep.h"

namespace mirovale {
namespace {

// The chain that ranks first: the first offered chain of strictly smallest distance.
struct LeadingChain {
    bool held = false;
    std::int64_t distance = 0;
    PulseChain chain;

    [[nodiscard]] bool wouldTake(std::int64_t d) const { return !held || d < distance; }

    void offer(std::int64_t d, const PulseChain& c) {
        if (!wouldTake(d)) return;
        held = true;
        distance = d;
        chain = c;
    }
};

// One plan of a single candidate per listed etalon, repeats left out (plans[d] fits
// candidates[listing.firsts[d]]).
std::vector<FitPlan> singlePlans(std::span<const FitCandidate> candidates,
                                 const DistinctCandidates& listing, std::uint16_t L) {
    std::vector<FitPlan> plans;
    plans.reserve(listing.firsts.size());
    for (const std::size_t k : listing.firsts) {
        plans.push_back(makeFitPlan(std::span(&candidates[k], 1), L));
    }
    return plans;
}

// The chains of one etalon, kept to be offered again where the etalon is listed again.
struct CandidateChains {
    ChainEnd end;     // from eight nines
    ChainEnd ranked;  // from nine nines
    PulseChain chain;
};

}  // namespace

int recognizeUnfixedPulses(Host& host, const EtalonTable& etalons,
                           std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                           std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                           ChainsHeader* chains, SeriesHeader* series) {
    if (series == nullptr) return 0;
    const SeriesView view = viewOf(*series);
    std::vector<FitCandidate> candidates;
    DistinctCandidates listing;
    std::vector<FitPlan> plans;
    std::vector<CandidateChains> repeats;  // per etalon listed again
    LayerTable table;
    thread_local SweepWork work;  // kept by the thread: a simulation sizes it once
    work.fit.forget();            // the samples are another series' now
    // Candidates side by side in lanes where no chain score can leave 32 bits; the table is
    // kept by the thread, so that a simulation sizes it once.
    ChainLanes& lanes = threadChainLanes();
    bool inLanes = false;
    if (!tryAllocate([&] {
            candidates = makeFitCandidates(etalons, requiredList, view.L, wSavedEnergyProcessing);
            listing = distinctCandidates(candidates);
            plans = singlePlans(candidates, listing, view.L);
            repeats.resize(plans.size());
        }) ||
        !tryAllocate([&] {
            inLanes = chainLanesFit(kEightNines, localScoreBound(plans, samplePeak(view.x)),
                                    view.starts, wTmin, wTmax);
            table.layers.resize(1);
            if (inLanes) {
                reserveChainLanes(lanes, view.starts);
                reserveFitSweep(work.fit, view.L, view.starts);
            } else {
                table.layers[0].resize(view.starts);
                reserveSweepWork(work, 1, view.starts, view.L);
            }
        })) {
        host.messageBox("Нет памяти для indexes!", "", MessageIcon::None);
        return 0;
    }
    if (chains != nullptr) resetChainsHeader(*chains, series->wImpulseQuantity, 0, 0, false);
    const AdmissibleSets& sets =
        keptAdmissibleSets(view, series->wMinPulses, series->wMaxPulses, wTmin, wTmax);
    if (!checkAdmissibleSets(host, sets)) return 0;
    int recognised = -1;
    std::int64_t best = kSevenNines;
    LeadingChain leading;
    // The ends of candidate k's chains (from eight and from nine nines) and the ranked chain.
    const auto take = [&](std::size_t k, const ChainEnd& end, const ChainEnd& ranked,
                          PulseChain chain) {
        const std::int32_t number = candidates[k].etalonIndex + 1;
        if (end.found && end.score < best) {
            best = end.score;
            recognised = number;
        }
        for (ChainPulse& pulse : chain) pulse.etalon = number;
        leading.offer(ranked.score, chain);
        if (chains != nullptr) {
            rankChain(*chains, ranked.score, chain);
            if (chains->wPretenders > 0) {
                chains->wSeekingPulsesQuantity =
                    static_cast<std::uint16_t>(chains->pulsesQuantity[0]);
            }
        }
    };
    // Takes the chains of the listing at k: made now by `make` (which settles the pieces of a
    // chain kept, or of any chain of an etalon listed again) for a first listing, kept since
    // for a repeat.
    const auto takeListed = [&](std::size_t k, auto make) {
        const std::size_t d = listing.of[k];
        if (listing.firsts[d] != k) {
            take(k, repeats[d].end, repeats[d].ranked, repeats[d].chain);
            return;
        }
        CandidateChains made = make(d, listing.repeated[d]);
        if (listing.repeated[d]) repeats[d] = made;
        take(k, made.end, made.ranked, std::move(made.chain));
    };
    const auto keeps = [&](const ChainEnd& ranked, bool repeated) {
        return repeated || leading.wouldTake(ranked.score) ||
               (chains != nullptr && wouldKeep(*chains, ranked.score));
    };
    if (inLanes) {
        std::size_t next = 0;  // the next listing to take
        for (std::size_t first = 0; first < plans.size(); first += kChainLanes) {
            const std::size_t batch = std::min(kChainLanes, plans.size() - first);
            startChainLanes(lanes, view.starts, batch, LaneLinks::Own, kEightNines, view.L, sets);
            for (std::size_t c = 0; c < batch; ++c) {
                fitChainLane(lanes, c, view, sets.fitted.get(), plans[first + c], work.fit);
            }
            runChainLanes(lanes, sets, wTmin, wTmax);
            // The listings up to the first etalon of the next batch, in list order.
            for (; next < candidates.size() && listing.of[next] < first + batch; ++next) {
                takeListed(next, [&](std::size_t d, bool repeated) {
                    const std::size_t c = d - first;
                    CandidateChains made{laneChainEnd(lanes, sets.last.get(), c, kEightNines),
                                         laneChainEnd(lanes, sets.last.get(), c, kNineNines),
                                         {}};
                    std::array<const FitPlan*, kChainLanes> lanePlans;
                    lanePlans.fill(&plans[d]);
                    // Pieces are settled only for a chain the record or the lead keeps.
                    made.chain = traceLaneChain(lanes, made.ranked, view, lanePlans,
                                                keeps(made.ranked, repeated));
                    return made;
                });
            }
        }
        writeDetectedPulses(*series, leading.chain);
        return recognised;
    }
    const PassSettings settings{kEightNines, true, wTmin, wTmax};
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        takeListed(k, [&](std::size_t d, bool) {
            initLayers(table, kEightNines, view.L);
            fitLayer(table, 0, view, sets.fitted.get(), plans[d], work);
            sweepFirstOnly(table, sets.firstOnly.get());
            sweepBoth(table, sets.both.get(), settings, work);
            sweepLaterOnly(table, sets.laterOnly.get(), settings, work);
            CandidateChains made{findChainEnd(table, sets.last.get(), kEightNines),
                                 findChainEnd(table, sets.last.get(), kNineNines),
                                 {}};
            made.chain = traceSettledChain(table, made.ranked, view, std::span(&plans[d], 1));
            return made;
        });
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
    // Kept by the thread, so that a simulation sizes them once.
    thread_local KnownNumberWork work;
    if (!tryAllocate([&] { work.rows.scores.resize(windows.size()); })) {
        host.messageBox("Нет памяти для ppDw!", "", MessageIcon::None);
        return -1;
    }
    std::vector<FitCandidate> candidates;
    DistinctCandidates listing;
    std::vector<FitPlan> plans;
    std::vector<KnownNumberResult> results;  // per etalon, in the order of first listings
    thread_local std::vector<FitRow> fits;   // the rows of one batch of candidates
    thread_local FitSweepBuffers buffers;
    buffers.forget();  // the samples are another series' now
    if (!tryAllocate([&] {
            fits.resize(kOctetLanes);
            candidates = makeFitCandidates(etalons, requiredList, view.L, wSavedEnergyProcessing);
            listing = distinctCandidates(candidates);
            plans = singlePlans(candidates, listing, view.L);
            results.reserve(plans.size());
            sizeKnownNumberWork(work, windows, wTmin, wTmax, true);
            for (FitRow& row : fits) sizeFitRow(row, windowHull(windows));
            reserveFitSweep(buffers, view.L, fits[0].fits.size());
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
    // Etalons in batches whose layers are swept side by side; results taken in list order.
    for (std::size_t first = 0; first < plans.size(); first += kOctetLanes) {
        const std::size_t batch = std::min(kOctetLanes, plans.size() - first);
        std::vector<const FitRow*> rows;
        for (std::size_t c = 0; c < batch; ++c) {
            fillFitRow(fits[c], plans[first + c], view, buffers);
            rows.push_back(&fits[c]);
        }
        for (KnownNumberResult& result : sweepKnownNumberBatch(windows, rows, settings, work))
            results.push_back(std::move(result));
    }
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const KnownNumberResult& result = results[listing.of[k]];
        if (chains != nullptr) rankChain(*chains, result.distance, result.chain);
        if (result.distance < best && !result.chain.empty()) {
            best = result.distance;
            recognised = candidates[k].etalonIndex + 1;
            bestChain = result.chain;
        }
    }
    writeDetectedPulses(*series, bestChain);
    return recognised;
}

}  // namespace mirovale
