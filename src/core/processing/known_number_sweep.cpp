#include "core/processing/known_number_sweep.h"

#include <algorithm>
#include <limits>

// The layer sweep's loops vectorise; on x86-64 they are also built for AVX2 (which compares
// 64-bit lanes) and chosen at run time.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define MIROVALE_LAYER_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define MIROVALE_LAYER_CLONES
#endif

namespace mirovale {
namespace {

std::size_t width(const StartWindow& window) {
    return window.hi < window.lo ? 0 : static_cast<std::size_t>(window.hi - window.lo + 1);
}

// A score and its start; -1 for none.
struct Best {
    std::int64_t score;
    std::int64_t start;
};

constexpr std::int64_t kAbsent = std::numeric_limits<std::int64_t>::max();

// Layer m > 0: D_m[t] = the smallest D_(m-1) in reach of t, or predecessorFrom when none is
// smaller, + the fit at t. Only the value of the minimum counts here (back-tracking finds the
// start), so the windows [t - Tmax, t - Tmin] of fixed width w take their minima from block
// minima (van Herk / Gil-Werman): the scores of layer m - 1 laid out from lo - Tmax on, with
// starts outside window m - 1 absent, are cut into blocks of w; a window is the suffix of one
// block and the prefix of the next.
MIROVALE_LAYER_CLONES void sweepLayer(std::span<const StartWindow> windows, std::size_t m,
                                      const FitRow& fits, const KnownNumberSettings& settings,
                                      KnownNumberWork& work) {
    const StartWindow& window = windows[m];
    const StartWindow& before = windows[m - 1];
    const std::vector<std::int64_t>& previous = work.scores[m - 1];
    std::vector<std::int64_t>& scores = work.scores[m];
    const std::size_t count = width(window);
    if (count == 0) return;
    if (settings.wTmax < settings.wTmin) {
        for (std::size_t i = 0; i < count; ++i) {
            scores[i] =
                settings.predecessorFrom + fits.at(window.lo + static_cast<std::int64_t>(i)).score;
        }
        return;
    }
    const std::size_t w = std::size_t{settings.wTmax} - settings.wTmin + 1;
    const std::int64_t first = window.lo - settings.wTmax;  // the start laid out at index 0
    const std::size_t laid = count + w - 1;
    std::int64_t* prefix = work.prefix.data();
    std::int64_t* suffix = work.suffix.data();
    // Layer m - 1 laid out over [first, first + laid), absent outside its window.
    const std::int64_t inLo = std::max(first, before.lo);
    const std::int64_t inHi = std::min(first + static_cast<std::int64_t>(laid) - 1, before.hi);
    const std::size_t headEnd = inHi < inLo ? laid : static_cast<std::size_t>(inLo - first);
    const std::size_t tailBegin = inHi < inLo ? laid : static_cast<std::size_t>(inHi - first + 1);
    std::fill(prefix, prefix + headEnd, kAbsent);
    if (headEnd < tailBegin) {
        std::copy_n(previous.data() + (inLo - before.lo), tailBegin - headEnd, prefix + headEnd);
    }
    std::fill(prefix + tailBegin, prefix + laid, kAbsent);
    std::copy_n(prefix, laid, suffix);
    // The blocks' scans are independent: step through them side by side, so that the chains of
    // minima overlap instead of waiting on each other. The last block may be shorter.
    const std::size_t blocks = (laid + w - 1) / w;
    const std::size_t lastLength = laid - (blocks - 1) * w;
    for (std::size_t i = 1; i < w; ++i) {
        const std::size_t full = i < lastLength ? blocks : blocks - 1;
        for (std::size_t b = 0; b < full; ++b) {
            const std::size_t at = b * w + i;
            prefix[at] = std::min(prefix[at - 1], prefix[at]);
        }
    }
    for (std::size_t i = w - 1; i-- > 0;) {
        const std::size_t full = i + 1 < lastLength ? blocks : blocks - 1;
        for (std::size_t b = 0; b < full; ++b) {
            const std::size_t at = b * w + i;
            suffix[at] = std::min(suffix[at], suffix[at + 1]);
        }
    }
    const std::int64_t* fit =
        fits.scores.data() + (window.lo - static_cast<std::int64_t>(fits.base));
    const std::int64_t from = settings.predecessorFrom;
    for (std::size_t i = 0; i < count; ++i) {
        scores[i] = std::min(from, std::min(suffix[i], prefix[i + w - 1])) + fit[i];
    }
}

// The earliest strictly smallest D_m below `from` over [t - Tmax, t - Tmin] inside window m.
Best searchBack(const std::vector<std::int64_t>& scores, const StartWindow& window, std::int64_t t,
                const KnownNumberSettings& settings, std::int64_t from) {
    Best best{from, -1};
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
    row.scores.resize(width(hull));
}

void fillFitRow(FitRow& row, const FitPlan& plan, const SeriesView& view,
                FitSweepBuffers& buffers) {
    fitStarts(plan, view, row.base, row.fits, buffers);
    for (std::size_t i = 0; i < row.fits.size(); ++i) row.scores[i] = row.fits[i].score;
}

void sizeKnownNumberWork(KnownNumberWork& work, std::span<const StartWindow> windows,
                         std::size_t reach) {
    std::size_t widest = 0;
    for (std::size_t m = 0; m < windows.size() && m < work.scores.size(); ++m) {
        work.scores[m].resize(width(windows[m]));
        widest = std::max(widest, width(windows[m]));
    }
    // Room for the widest window and the reach of its first start.
    const std::size_t laid = widest + reach + 1;
    work.prefix.resize(laid);
    work.suffix.resize(laid);
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
    Best end{settings.endFrom, -1};
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
        const Best previous =
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
