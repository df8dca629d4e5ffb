#include "core/processing/tuple_recognition_unfixed.h"

#include <algorithm>

#include "core/host/allocation.h"
#include "core/host/format_text.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/detected_result.h"
#include "core/processing/local_fit.h"
#include "core/processing/sentinels.h"
#include "core/processing/unknown_number_chains.h"

namespace mirovale {
namespace {

constexpr const char* kDumpCaption = " About TuplesDetection ";
// The dump buffer holds this many characters with its terminator.
constexpr std::size_t kDumpBuffer = 5000;

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
};

std::string intervalsText(const IntervalList* list) {
    std::string text;
    if (list == nullptr) return text;
    for (std::size_t i = 0; i < list->wIntervals; ++i) {
        text += formatText(" [%d..%d] ", list->lpIntervalBegins[i], list->lpIntervalEnds[i]);
    }
    return text;
}

// One symbol per start of `list`: the smallest negative score in full, other negative scores
// "-", the rest "+", each followed by its back link when that is a start.
std::string layerSymbols(const std::vector<ChainCell>& layer, const IntervalList* list,
                         std::int64_t unreachable) {
    std::int64_t smallest = unreachable;
    std::size_t smallestAt = 0;
    bool found = false;
    forEachPosition(list, [&](std::size_t t) {
        if (layer[t].score < smallest) {
            smallest = layer[t].score;
            smallestAt = t;
            found = true;
        }
    });
    std::string text;
    forEachPosition(list, [&](std::size_t t) {
        const ChainCell& cell = layer[t];
        if (cell.score < 0) {
            text += found && t == smallestAt
                        ? formatText(" %lld", static_cast<long long>(cell.score))
                        : std::string(" -");
        } else {
            text += " +";
        }
        if (cell.back >= 0) text += formatText("[%d]", cell.back);
    });
    return text;
}

void showDump(Host& host, std::string text) {
    if (text.size() > kDumpBuffer - 1) text.resize(kDumpBuffer - 1);
    host.messageBox(text, kDumpCaption, MessageIcon::None);
}

void dumpFirstOnly(const TupleContext& context, const LayerTable& table) {
    const IntervalList* list = context.sets.firstOnly.get();
    showDump(context.host, "omega_minus - omega_tilda:" + intervalsText(list) + "\n" +
                               layerSymbols(table.layers[0], list, context.unreachable) + "\n ");
}

void dumpBoth(const TupleContext& context, const LayerTable& table) {
    const IntervalList* list = context.sets.both.get();
    std::string text = "omega_minus x omega_tilda:" + intervalsText(list) + "\n";
    for (std::size_t l = 0; l < table.layers.size(); ++l) {
        text += formatText("l=%d\n ", static_cast<int>(l + 1));
        text += layerSymbols(table.layers[l], list, context.unreachable) + "\n ";
    }
    showDump(context.host, std::move(text));
}

// The layered run of one subset whose members are prepared in `members`; `table` holds one
// layer per member.
TupleRun runSubset(const TupleContext& context, LayerTable& table,
                   std::span<const FitCandidate> members) {
    TupleRun run{context.unreachable, {}, {}};
    if (table.layers.empty()) return run;
    std::vector<std::vector<FitCandidate>> layerCandidates;
    for (const FitCandidate& member : members.first(table.layers.size())) {
        layerCandidates.push_back({member});
    }
    const PassSettings settings{context.unreachable, false, context.wTmin, context.wTmax};
    initLayers(table, context.unreachable, context.view.L);
    passFirstOnly(table, context.view, context.sets.firstOnly.get(), layerCandidates, settings);
    if (context.dwDebuggingRepeat != 0) dumpFirstOnly(context, table);
    passBoth(table, context.view, context.sets.both.get(), layerCandidates, settings);
    if (context.dwDebuggingRepeat != 0) dumpBoth(context, table);
    passLaterOnly(table, context.view, context.sets.laterOnly.get(), layerCandidates, settings);
    const ChainEnd end = findChainEnd(table, context.sets.last.get(), context.unreachable);
    if (!end.found) return run;
    run.distance = end.score;
    run.chain = traceChain(table, end);
    run.tuples = tupleBounds(run.chain.size(), members.size(), 0);
    return run;
}

// Makes the energies of every subset (request reported as EtalonsPartialEnergy) and the layer
// rows for the longest (two requests reported as G_on_layers).
bool allocateTables(Host& host, const EtalonTable& etalons,
                    std::span<const std::span<const std::uint32_t>> subsets, const SeriesView& view,
                    std::uint16_t wLevel, std::uint16_t wMaxPulses,
                    std::vector<std::vector<FitCandidate>>& members,
                    std::vector<std::vector<ChainCell>>& rows) {
    if (!tryAllocate([&] {
            members.clear();
            for (const auto subset : subsets) {
                members.push_back(makeSubsetCandidates(etalons, subset, view.L, wLevel));
            }
        })) {
        host.messageBox("Нет памяти для EtalonsPartialEnergy!", "", MessageIcon::None);
        return false;
    }
    std::size_t layers = 0;
    for (const auto& m : members) layers = std::max<std::size_t>(layers, m.size());
    layers = std::min<std::size_t>(layers, wMaxPulses);
    if (!tryAllocate([&] { rows.resize(layers); })) {
        host.messageBox("Нет памяти для G_on_layers!", "", MessageIcon::None);
        return false;
    }
    if (!tryAllocate([&] {
            for (auto& row : rows) row.assign(view.starts, {});
        })) {
        host.messageBox("Нет памяти для G_on_layers!", "", MessageIcon::None);
        return false;
    }
    return true;
}

// Runs one subset on the first min(s, wMaxPulses) rows, lent to a table of that many layers.
TupleRun runWithRows(const TupleContext& context, std::vector<std::vector<ChainCell>>& rows,
                     std::span<const FitCandidate> members, std::uint16_t wMaxPulses) {
    const std::size_t layers = std::min<std::size_t>(members.size(), wMaxPulses);
    LayerTable table;
    for (std::size_t l = 0; l < layers; ++l) table.layers.push_back(std::move(rows[l]));
    TupleRun run = runSubset(context, table, members);
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
    std::vector<std::vector<FitCandidate>> members;
    std::vector<std::vector<ChainCell>> rows;
    const std::span<const std::uint32_t> subsets[] = {subset};
    if (!allocateTables(host, etalons, subsets, view, wSavedEnergyProcessing, series->wMaxPulses,
                        members, rows)) {
        return 0;
    }
    const AdmissibleSets sets =
        buildAdmissibleSets(view, series->wMinPulses, series->wMaxPulses, wTmin, wTmax);
    const TupleContext context{host, view, sets, kEightNines, wTmin, wTmax, dwDebuggingRepeat};
    TupleRun run = runWithRows(context, rows, members[0], series->wMaxPulses);
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
    std::vector<std::vector<FitCandidate>> members;
    std::vector<std::vector<ChainCell>> rows;
    if (!allocateTables(host, etalons, subsets, view, wSavedEnergyProcessing, series->wMaxPulses,
                        members, rows)) {
        return 0;
    }
    const AdmissibleSets sets =
        buildAdmissibleSets(view, series->wMinPulses, series->wMaxPulses, wTmin, wTmax);
    const TupleContext context{host, view, sets, kNineNines, wTmin, wTmax, dwDebuggingRepeat};
    TupleRun best{kNineNines, {}, {}};
    std::uint16_t recognised = 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (members[k].empty()) continue;
        TupleRun run = runWithRows(context, rows, members[k], series->wMaxPulses);
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
