#include "core/processing/known_number_chains.h"

#include <algorithm>

namespace mirovale {
namespace {

struct Best {
    std::int64_t score;
    std::int64_t start;  // -1 for none
};

// The strictly smallest score of `layer` over [t - Tmax, t - Tmin] inside `window`.
Best smallestInReach(const std::vector<LayerCell>& layer, const StartWindow& window, std::int64_t t,
                     const KnownNumberSettings& settings, std::int64_t from) {
    Best best{from, -1};
    const std::int64_t lo = std::max(t - settings.wTmax, window.lo);
    const std::int64_t hi = std::min(t - settings.wTmin, window.hi);
    for (std::int64_t p = lo; p <= hi; ++p) {
        const std::int64_t d = layer[static_cast<std::size_t>(p)].score;
        if (d < best.score) best = {d, p};
    }
    return best;
}

ChainPulse pulseAt(const KnownNumberTable& table, std::size_t m, std::int64_t t) {
    const LayerCell& cell = table.layers[m][static_cast<std::size_t>(t)];
    return {static_cast<std::int32_t>(t), cell.etalonIndex + 1, cell.begin, cell.end};
}

}  // namespace

KnownNumberResult runKnownNumber(KnownNumberTable& table, const SeriesView& view,
                                 std::span<const StartWindow> windows,
                                 std::span<const std::span<const FitCandidate>> layerCandidates,
                                 const KnownNumberSettings& settings) {
    const std::size_t K = windows.size();
    for (std::size_t m = 0; m < K; ++m) {
        for (std::int64_t t = windows[m].lo; t <= windows[m].hi; ++t) {
            const std::int64_t predecessor =
                m == 0 ? 0
                       : smallestInReach(table.layers[m - 1], windows[m - 1], t, settings,
                                         settings.predecessorFrom)
                             .score;
            const LocalFit fit = fitAt(view, static_cast<std::size_t>(t), layerCandidates[m]);
            table.layers[m][static_cast<std::size_t>(t)] = {predecessor + fit.score,
                                                            fit.etalonIndex, fit.begin, fit.end};
        }
    }
    KnownNumberResult result{settings.endFrom, {}};
    if (K == 0) return result;
    Best end{settings.endFrom, -1};
    for (std::int64_t t = windows[K - 1].lo; t <= windows[K - 1].hi; ++t) {
        const std::int64_t d = table.layers[K - 1][static_cast<std::size_t>(t)].score;
        if (d < end.score) end = {d, t};
    }
    if (end.start < 0) return result;
    PulseChain chain(K);
    chain[K - 1] = pulseAt(table, K - 1, end.start);
    std::int64_t t = end.start;
    for (std::size_t m = K - 1; m-- > 0;) {
        const Best previous =
            smallestInReach(table.layers[m], windows[m], t, settings, settings.backFrom);
        if (previous.start < 0) return result;  // no predecessor in reach: no chain
        t = previous.start;
        chain[m] = pulseAt(table, m, t);
    }
    result.distance = end.score;
    result.chain = std::move(chain);
    return result;
}

}  // namespace mirovale
