#include "core/processing/known_number_sweep.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

// The layer sweep's loops vectorise; on x86-64 they are also built for AVX2 (which compares
// 64-bit lanes) and chosen at run time, by a plain test rather than an ifunc, whose resolver
// runs before a sanitizer's runtime is up.
#if defined(__x86_64__) && defined(__GNUC__)
#define MIROVALE_X86_LAYERS 1
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

// The smaller of two scores, the sum, and a score filled in: for single scores and for batches.
[[gnu::always_inline]] inline std::int64_t smaller(std::int64_t a, std::int64_t b) {
    return std::min(a, b);
}
template <class T, std::size_t N>
[[gnu::always_inline]] inline ScoreLanes<T, N> smaller(const ScoreLanes<T, N>& a,
                                                       const ScoreLanes<T, N>& b) {
    ScoreLanes<T, N> r;
    for (std::size_t c = 0; c < N; ++c) r.lane[c] = std::min(a.lane[c], b.lane[c]);
    return r;
}
template <class T, std::size_t N>
[[gnu::always_inline]] inline ScoreLanes<T, N> operator+(const ScoreLanes<T, N>& a,
                                                         const ScoreLanes<T, N>& b) {
    ScoreLanes<T, N> r;
    for (std::size_t c = 0; c < N; ++c) r.lane[c] = a.lane[c] + b.lane[c];
    return r;
}
// One score or a batch of them: the type of a score, and a value in every lane.
template <class T>
struct ScoreTraits {
    using Score = T;
    static T filled(std::int64_t v) { return v; }
};
template <class T, std::size_t N>
struct ScoreTraits<ScoreLanes<T, N>> {
    using Score = T;
    static ScoreLanes<T, N> filled(std::int64_t v) {
        ScoreLanes<T, N> r;
        for (std::size_t c = 0; c < N; ++c) r.lane[c] = static_cast<T>(v);
        return r;
    }
};
template <class T>
[[gnu::always_inline]] inline T filled(std::int64_t v) {
    return ScoreTraits<T>::filled(v);
}

// The score of an absent start: above every score.
template <class T>
[[gnu::always_inline]] inline T absentScore() {
    return filled<T>(std::numeric_limits<typename ScoreTraits<T>::Score>::max());
}

// Layer m > 0: D_m[t] = the smallest D_(m-1) in reach of t, or predecessorFrom when none is
// smaller, + the fit at t. Only the value of the minimum counts here (back-tracking finds the
// start), so the windows [t - Tmax, t - Tmin] of fixed width w take their minima from block
// minima (van Herk / Gil-Werman): the scores of layer m - 1 laid out from lo - Tmax on, with
// starts outside window m - 1 absent, are cut into blocks of w; a window is the suffix of one
// block and the prefix of the next. T is one score, or a batch of candidates' scores.
// fit : the fit scores of layer m, fit[0] at window.lo
template <class T>
[[gnu::always_inline]] inline void sweepLayerOf(std::span<const StartWindow> windows, std::size_t m,
                                                const T* fit, const KnownNumberSettings& settings,
                                                LayerRows<T>& rows) {
    const StartWindow& window = windows[m];
    const StartWindow& before = windows[m - 1];
    const std::vector<T>& previous = rows.scores[m - 1];
    std::vector<T>& scores = rows.scores[m];
    const std::size_t count = width(window);
    if (count == 0) return;
    const T from = filled<T>(settings.predecessorFrom);
    if (settings.wTmax < settings.wTmin) {
        for (std::size_t i = 0; i < count; ++i) scores[i] = from + fit[i];
        return;
    }
    const std::size_t w = std::size_t{settings.wTmax} - settings.wTmin + 1;
    const std::int64_t first = window.lo - settings.wTmax;  // the start laid out at index 0
    const std::size_t laid = count + w - 1;
    T* prefix = rows.prefix.data();
    T* suffix = rows.suffix.data();
    // Layer m - 1 laid out over [first, first + laid), absent outside its window.
    const std::int64_t inLo = std::max(first, before.lo);
    const std::int64_t inHi = std::min(first + static_cast<std::int64_t>(laid) - 1, before.hi);
    const std::size_t headEnd = inHi < inLo ? laid : static_cast<std::size_t>(inLo - first);
    const std::size_t tailBegin = inHi < inLo ? laid : static_cast<std::size_t>(inHi - first + 1);
    const T absent = absentScore<T>();
    std::fill(prefix, prefix + headEnd, absent);
    if (headEnd < tailBegin) {
        std::copy_n(previous.data() + (inLo - before.lo), tailBegin - headEnd, prefix + headEnd);
    }
    std::fill(prefix + tailBegin, prefix + laid, absent);
    // The blocks' scans are independent: step through them side by side, so that the chains of
    // minima overlap instead of waiting on each other. The last block may be shorter. The
    // suffix minima are taken first, from the laid-out scores, which the prefix minima then
    // replace in place.
    const std::size_t blocks = (laid + w - 1) / w;
    const std::size_t lastLength = laid - (blocks - 1) * w;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t last = b + 1 < blocks ? b * w + w - 1 : laid - 1;
        suffix[last] = prefix[last];
    }
    for (std::size_t i = w - 1; i-- > 0;) {
        const std::size_t full = i + 1 < lastLength ? blocks : blocks - 1;
        for (std::size_t b = 0; b < full; ++b) {
            const std::size_t at = b * w + i;
            suffix[at] = smaller(prefix[at], suffix[at + 1]);
        }
    }
    for (std::size_t i = 1; i < w; ++i) {
        const std::size_t full = i < lastLength ? blocks : blocks - 1;
        for (std::size_t b = 0; b < full; ++b) {
            const std::size_t at = b * w + i;
            prefix[at] = smaller(prefix[at - 1], prefix[at]);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        scores[i] = smaller(from, smaller(suffix[i], prefix[i + w - 1])) + fit[i];
    }
}

template <class T>
using LayerSweep = void (*)(std::span<const StartWindow>, std::size_t, const T*,
                            const KnownNumberSettings&, LayerRows<T>&);

template <class T>
void sweepLayerBaseline(std::span<const StartWindow> windows, std::size_t m, const T* fit,
                        const KnownNumberSettings& settings, LayerRows<T>& rows) {
    sweepLayerOf(windows, m, fit, settings, rows);
}

#if defined(MIROVALE_X86_LAYERS)
#pragma GCC push_options
#pragma GCC target("avx2")
template <class T>
void sweepLayerAvx2(std::span<const StartWindow> windows, std::size_t m, const T* fit,
                    const KnownNumberSettings& settings, LayerRows<T>& rows) {
    sweepLayerOf(windows, m, fit, settings, rows);
}
#pragma GCC pop_options
#endif

// Layer m of one score, or of a batch, built for the widest instruction set the processor runs.
template <class T>
void sweepLayer(std::span<const StartWindow> windows, std::size_t m, const T* fit,
                const KnownNumberSettings& settings, LayerRows<T>& rows) {
    static const LayerSweep<T> chosen = [] {
#if defined(MIROVALE_X86_LAYERS)
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx2")) return LayerSweep<T>{sweepLayerAvx2<T>};
#endif
        return LayerSweep<T>{sweepLayerBaseline<T>};
    }();
    chosen(windows, m, fit, settings, rows);
}

ChainPulse pulseAt(const FitRow& fits, std::int64_t t) {
    const LocalFit fit = fits.settled(t);
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
    row.plan = &plan;
    row.view = view;
    fitStarts(plan, view, row.base, row.fits, buffers);
    for (std::size_t i = 0; i < row.fits.size(); ++i) row.scores[i] = row.fits[i].score;
}

void sizeKnownNumberWork(KnownNumberWork& work, std::span<const StartWindow> windows,
                         std::size_t reach, bool batches) {
    std::size_t widest = 0;
    const std::size_t layers = std::min(windows.size(), work.rows.scores.size());
    for (std::size_t m = 0; m < layers; ++m) widest = std::max(widest, width(windows[m]));
    // Room for the widest window and the reach of its first start.
    const std::size_t laid = widest + reach + 1;
    const auto size = [&](auto& rows) {
        rows.scores.resize(layers);
        for (std::size_t m = 0; m < layers; ++m) rows.scores[m].resize(width(windows[m]));
        rows.prefix.resize(laid);
        rows.suffix.resize(laid);
    };
    if (batches) {
        size(work.quads);
        work.quadFits.resize(width(windowHull(windows)));
        size(work.octets);
        work.octetFits.resize(width(windowHull(windows)));
    } else {
        size(work.rows);
    }
}

namespace {

// The chain of one candidate whose layer m has score(m, i) at start window[m].lo + i and the fit
// pulseOf(m, t): the end over the last window from endFrom, then back-tracking.
template <class Score, class PulseOf>
KnownNumberResult chainOf(std::span<const StartWindow> windows, const KnownNumberSettings& settings,
                          Score&& score, PulseOf&& pulseOf) {
    const std::size_t K = windows.size();
    KnownNumberResult result{settings.endFrom, {}};
    if (K == 0) return result;
    Best end{settings.endFrom, -1};
    const StartWindow& last = windows[K - 1];
    for (std::int64_t t = last.lo; t <= last.hi; ++t) {
        const std::int64_t d = score(K - 1, static_cast<std::size_t>(t - last.lo));
        if (d < end.score) end = {d, t};
    }
    if (end.start < 0) return result;
    PulseChain chain(K);
    chain[K - 1] = pulseOf(K - 1, end.start);
    std::int64_t t = end.start;
    for (std::size_t m = K - 1; m-- > 0;) {
        // The earliest strictly smallest D_m below backFrom in reach of the pulse after it.
        Best previous{settings.backFrom, -1};
        const std::int64_t lo = std::max(t - settings.wTmax, windows[m].lo);
        const std::int64_t hi = std::min(t - settings.wTmin, windows[m].hi);
        for (std::int64_t p = lo; p <= hi; ++p) {
            const std::int64_t d = score(m, static_cast<std::size_t>(p - windows[m].lo));
            if (d < previous.score) previous = {d, p};
        }
        if (previous.start < 0) return result;  // no predecessor in reach: no chain
        t = previous.start;
        chain[m] = pulseOf(m, t);
    }
    result.distance = end.score;
    result.chain = std::move(chain);
    return result;
}

}  // namespace

KnownNumberResult sweepKnownNumber(std::span<const StartWindow> windows,
                                   std::span<const FitRow* const> layerFits,
                                   const KnownNumberSettings& settings, KnownNumberWork& work) {
    const std::size_t K = windows.size();
    auto& scores = work.rows.scores;
    for (std::size_t m = 0; m < K; ++m) {
        const FitRow& fits = *layerFits[m];
        // An empty row has no data to point into (its windows are empty too).
        const std::int64_t* fit =
            fits.scores.empty()
                ? nullptr
                : fits.scores.data() + (windows[m].lo - static_cast<std::int64_t>(fits.base));
        if (m == 0) {
            std::copy_n(fit, width(windows[0]), scores[0].begin());
        } else {
            sweepLayer(windows, m, fit, settings, work.rows);
        }
    }
    return chainOf(
        windows, settings, [&](std::size_t m, std::size_t i) { return scores[m][i]; },
        [&](std::size_t m, std::int64_t t) { return pulseAt(*layerFits[m], t); });
}

namespace {

// Whether every chain score of the batch stays in 32 bits: a layer score is at most the
// predecessor search start plus the sum of the layers' fits, and at least the sum of their fits.
bool batchFitsNarrow(std::span<const FitRow* const> rows, std::size_t layers,
                     const KnownNumberSettings& settings) {
    std::int64_t peak = 0;
    for (const FitRow* row : rows) {
        for (const std::int64_t score : row->scores) peak = std::max(peak, std::abs(score));
    }
    const std::int64_t from = std::abs(settings.predecessorFrom);
    const auto most = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max());
    return peak <= most && from <= most &&
           static_cast<std::int64_t>(layers) <= (most - from) / std::max<std::int64_t>(peak, 1);
}

// The layers of up to N candidates in lanes of type Lanes, their fits laid side by side in
// `fits` (unused lanes repeat the first candidate), then each candidate's chain.
template <class Lanes>
void sweepLanes(std::span<const StartWindow> windows, std::span<const FitRow* const> rows,
                const KnownNumberSettings& settings, LayerRows<Lanes>& layerRows,
                std::vector<Lanes>& fits, std::vector<KnownNumberResult>& results) {
    constexpr std::size_t N = Lanes::kCount;
    using T = typename ScoreTraits<Lanes>::Score;
    const std::size_t K = windows.size();
    const std::size_t batch = std::min(rows.size(), N);
    if (batch == 0) return;
    const std::size_t base = rows[0]->base;
    for (std::size_t c = 0; c < N; ++c) {
        const std::vector<std::int64_t>& scores = rows[c < batch ? c : 0]->scores;
        for (std::size_t i = 0; i < fits.size(); ++i) fits[i].lane[c] = static_cast<T>(scores[i]);
    }
    auto& scores = layerRows.scores;
    for (std::size_t m = 0; m < K; ++m) {
        const Lanes* fit = fits.data() + (windows[m].lo - static_cast<std::int64_t>(base));
        if (m == 0) {
            std::copy_n(fit, width(windows[0]), scores[0].begin());
        } else {
            sweepLayer(windows, m, fit, settings, layerRows);
        }
    }
    for (std::size_t c = 0; c < batch; ++c) {
        results.push_back(chainOf(
            windows, settings,
            [&](std::size_t m, std::size_t i) { return std::int64_t{scores[m][i].lane[c]}; },
            [&](std::size_t, std::int64_t t) { return pulseAt(*rows[c], t); }));
    }
}

}  // namespace

std::vector<KnownNumberResult> sweepKnownNumberBatch(std::span<const StartWindow> windows,
                                                     std::span<const FitRow* const> rows,
                                                     const KnownNumberSettings& settings,
                                                     KnownNumberWork& work) {
    std::vector<KnownNumberResult> results;
    rows = rows.first(std::min(rows.size(), kOctetLanes));
    if (batchFitsNarrow(rows, windows.size(), settings)) {
        sweepLanes(windows, rows, settings, work.octets, work.octetFits, results);
        return results;
    }
    for (std::size_t first = 0; first < rows.size(); first += kQuadLanes) {
        sweepLanes(windows, rows.subspan(first, std::min(kQuadLanes, rows.size() - first)),
                   settings, work.quads, work.quadFits, results);
    }
    return results;
}

}  // namespace mirovale
