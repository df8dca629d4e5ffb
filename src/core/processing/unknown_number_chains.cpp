#include "core/processing/unknown_number_chains.h"

#include <algorithm>

namespace mirovale {
namespace {

std::size_t layerBefore(const LayerTable& table, std::size_t l) {
    return l == 0 ? table.layers.size() - 1 : l - 1;
}

// S of layer l at t: read from the table or fitted now (and stored).
std::int64_t localScore(LayerTable& table, const SeriesView& view, std::size_t l, std::size_t t,
                        std::span<const std::vector<FitCandidate>> layerCandidates,
                        const PassSettings& settings) {
    ChainCell& cell = table.layers[l][t];
    if (!settings.prefitted) {
        const LocalFit fit = fitAt(view, t, layerCandidates[l]);
        cell.local = fit.score;
        cell.etalonIndex = fit.etalonIndex;
        cell.begin = fit.begin;
        cell.end = fit.end;
    }
    return cell.local;
}

struct Predecessor {
    std::int64_t score;
    std::int32_t start;
};

// The strictly smallest G of `layer` over [t - Tmax, t - Tmin] (p >= 0), searched from `from`.
Predecessor bestPredecessor(const std::vector<ChainCell>& layer, std::size_t t,
                            const PassSettings& settings, std::int64_t from) {
    Predecessor best{from, -2};
    const auto lo = std::max<std::int64_t>(0, static_cast<std::int64_t>(t) - settings.wTmax);
    const std::int64_t hi = static_cast<std::int64_t>(t) - settings.wTmin;
    for (std::int64_t p = lo; p <= hi; ++p) {
        const std::int64_t g = layer[static_cast<std::size_t>(p)].score;
        if (g < best.score) best = {g, static_cast<std::int32_t>(p)};
    }
    return best;
}

}  // namespace

void initLayers(LayerTable& table, std::int64_t unreachable, std::uint16_t L) {
    const ChainCell cell{unreachable, unreachable, static_cast<std::int32_t>(unreachable),
                         0,           0,           static_cast<std::int32_t>(L) - 1};
    for (auto& layer : table.layers) std::fill(layer.begin(), layer.end(), cell);
}

void prefitLayer(LayerTable& table, const SeriesView& view, const IntervalList* list,
                 std::span<const FitCandidate> candidates) {
    forEachPosition(list, [&](std::size_t t) {
        const LocalFit fit = fitAt(view, t, candidates);
        ChainCell& cell = table.layers[0][t];
        cell.local = fit.score;
        cell.etalonIndex = fit.etalonIndex;
        cell.begin = fit.begin;
        cell.end = fit.end;
    });
}

void passFirstOnly(LayerTable& table, const SeriesView& view, const IntervalList* list,
                   std::span<const std::vector<FitCandidate>> layerCandidates,
                   const PassSettings& settings) {
    forEachPosition(list, [&](std::size_t t) {
        ChainCell& cell = table.layers[0][t];
        cell.score = localScore(table, view, 0, t, layerCandidates, settings);
        cell.back = -1;
    });
}

void passBoth(LayerTable& table, const SeriesView& view, const IntervalList* list,
              std::span<const std::vector<FitCandidate>> layerCandidates,
              const PassSettings& settings) {
    forEachPosition(list, [&](std::size_t t) {
        for (std::size_t l = 0; l < table.layers.size(); ++l) {
            const std::int64_t local = localScore(table, view, l, t, layerCandidates, settings);
            const Predecessor best =
                bestPredecessor(table.layers[layerBefore(table, l)], t, settings, 0);
            ChainCell& cell = table.layers[l][t];
            if (best.score < 0) {
                cell.score = best.score + local;
                cell.back = best.start;
            } else if (l == 0) {
                cell.score = local;
                cell.back = -1;
            } else {
                cell.score = settings.unreachable;
                cell.back = -2;
            }
        }
    });
}

void passLaterOnly(LayerTable& table, const SeriesView& view, const IntervalList* list,
                   std::span<const std::vector<FitCandidate>> layerCandidates,
                   const PassSettings& settings) {
    forEachPosition(list, [&](std::size_t t) {
        for (std::size_t l = 0; l < table.layers.size(); ++l) {
            const std::int64_t local = localScore(table, view, l, t, layerCandidates, settings);
            const Predecessor best = bestPredecessor(table.layers[layerBefore(table, l)], t,
                                                     settings, settings.unreachable);
            ChainCell& cell = table.layers[l][t];
            cell.score = best.score + local;
            cell.back = best.start;
        }
    });
}

ChainEnd findChainEnd(const LayerTable& table, const IntervalList* list, std::int64_t from) {
    ChainEnd end{false, 0, 0, from};
    forEachPosition(list, [&](std::size_t t) {
        for (std::size_t l = 0; l < table.layers.size(); ++l) {
            if (table.layers[l][t].score < end.score) end = {true, t, l, table.layers[l][t].score};
        }
    });
    return end;
}

PulseChain traceChain(const LayerTable& table, const ChainEnd& end) {
    PulseChain chain;
    if (!end.found) return chain;
    std::size_t t = end.start;
    std::size_t l = end.layer;
    // Links always point to cells computed earlier; the bound only guards against a table
    // that was never filled.
    const std::size_t most = table.layers.size() * table.layers[0].size();
    while (chain.size() < most) {
        const ChainCell& cell = table.layers[l][t];
        chain.push_back({static_cast<std::int32_t>(t), cell.etalonIndex + 1, cell.begin, cell.end});
        if (cell.back < 0 || static_cast<std::size_t>(cell.back) >= table.layers[l].size()) break;
        t = static_cast<std::size_t>(cell.back);
        l = layerBefore(table, l);
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

}  // namespace mirovale
