#include "core/processing/known_number_sweep.h"

#include <algorithm>

namespace mirovale {
namespace {

std::size_t width(const StartWindow& window) {
    return window.hi < window.lo ? 0 : static_cast<std::size_t>(window.hi - window.lo + 1);
}

// Layer m > 0: D_m[t] = earliest smallest D_(m-1) in reach of t (from `from`) + fit at t.
void sweepLayer(std::span<const StartWindow> windows, std::size_t m, const FitRow& fits,
                const KnownNumberSettings& settings, KnownNumberWork& work) {
    const StartWindow& window = windows[m];
    const StartWindow& before = windows[m - 1];
    const std::vector<std::int64_t>& previous = work.scores[m - 1];
    std::vector<std::int64_t>& scores = work.scores[m];
    work.window.restart();
    for (std::int64_t t = window.lo; t <= window.hi; ++t) {
        work.window.slide(
            std::max(t - settings.wTmax, before.lo), std::min(t - settings.wTmin, before.hi),
            [&](std::int64_t p) { return previous[static_cast<std::size_t>(p - before.lo)]; });
        scores[static_cast<std::size_t>(t - window.lo)] =
            work.window.below(settings.predecessorFrom).score + fits.at(t).score;
    }
}

// The earliest strictly smallest D_m below `from` over [t - Tmax, t - Tmin] inside window m.
WindowMinimum::Best searchBack(const std::vector<std::int64_t>& scores, const StartWindow& window,
                               std::int64_t t, const KnownNumberSettings& settings,
                               std::int64_t from) {
    WindowMinimum::Best best{from, -1};
    const std::int64_t lo = std::max(t - settings.wTmax, window.lo);
    const std::int64_t hi = std::min(t - settings.wTmin, window.hi);
    for (std::int64_t p = lo; p <= hi; ++p) {
        const std::int64_t d = scores[static_cast<std::size_t>(p - window.lo)];
        if (d < best.score) best = {d, p};
    }
    return best;
}

ChainPulse pulseAt(const FitRow& fits, std::int64_t t) {
    const LocalFit& fit = fits.at(t);
    return {static_cast<std::int32_t>(t), fit.etalonIndex + 1, fit.begin, fit.end};
}

}  // namespace

StartWindow windowHull(std::span<const StartWindow> windows) {
    StartWindow hull;
    bool any = false;
    for (const StartWindow& w : windows) {
        if (w.hi < w.lo) continue;
        hull = any ? StartWindow{std::min(hull.lo, w.lo), std::max(hull.hi, w.hi)} : w;
        any = true;
    }
    return hull;
}

void sizeFitRow(FitRow& row, const StartWindow& hull) {
    row.base = hull.hi < hull.lo ? 0 : static_cast<std::size_t>(hull.lo);
    row.fits.resize(width(hull));
}

void fillFitRow(FitRow& row, const FitPlan& plan, const SeriesView& view,
                FitSweepBuffers& buffers) {
    fitStarts(plan, view, row.base, row.fits, buffers);
}

void sizeKnownNumberWork(KnownNumberWork& work, std::span<const StartWindow> windows) {
    std::size_t widest = 0;
    for (std::size_t m = 0; m < windows.size() && m < work.scores.size(); ++m) {
        work.scores[m].resize(width(windows[m]));
        widest = std::max(widest, width(windows[m]));
    }
    work.window.reserve(widest);
}

KnownNumberResult sweepKnownNumber(std::span<const StartWindow> windows,
                                   std::span<const FitRow* const> layerFits,
                                   const KnownNumberSettings& settings, KnownNumberWork& work) {
    const std::size_t K = windows.size();
    KnownNumberResult result{settings.endFrom, {}};
    if (K == 0) return result;
    for (std::int64_t t = windows[0].lo; t <= windows[0].hi; ++t) {
        work.scores[0][static_cast<std::size_t>(t - windows[0].lo)] = layerFits[0]->at(t).score;
    }
    for (std::size_t m = 1; m < K; ++m) sweepLayer(windows, m, *layerFits[m], settings, work);
    WindowMinimum::Best end{settings.endFrom, -1};
    const StartWindow& last = windows[K - 1];
    for (std::int64_t t = last.lo; t <= last.hi; ++t) {
        const std::int64_t d = work.scores[K - 1][static_cast<std::size_t>(t - last.lo)];
        if (d < end.score) end = {d, t};
    }
    if (end.start < 0) return result;
    PulseChain chain(K);
    chain[K - 1] = pulseAt(*layerFits[K - 1], end.start);
    std::int64_t t = end.start;
    for (std::size_t m = K - 1; m-- > 0;) {
        const WindowMinimum::Best previous =
            searchBack(work.scores[m], windows[m], t, settings, settings.backFrom);
        if (previous.start < 0) return result;  // no predecessor in reach: no chain
        t = previous.start;
        chain[m] = pulseAt(*layerFits[m], t);
    }
    result.distance = end.score;
    result.chain = std::move(chain);
    return result;
}

}  // namespace mirovale
