#include "core/processing/known_number_sweep.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <numeric>

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
// minima (van Herk / Gil-Werman): row m - 1 read in place from lo - Tmax on, its starts outside
// window m - 1 absent, is cut into blocks of w; a window is the suffix of one block and the
// prefix of the next. T is one score, or a batch of candidates' scores.
// fit : the fit scores of layer m, fit[0] at window.lo
template <class T>
[[gnu::always_inline]] inline void sweepLayerOf(std::span<const StartWindow> windows, std::size_t m,
                                                const T* fit, const KnownNumberSettings& settings,
                                                LayerRows<T>& rows) {
    const StartWindow& window = windows[m];
    const std::size_t count = width(window);
    if (count == 0) return;
    T* scores = rows.at(m, window.lo);
    const T from = filled<T>(settings.predecessorFrom);
    if (settings.wTmax < settings.wTmin) {
        for (std::size_t i = 0; i < count; ++i) scores[i] = from + fit[i];
        return;
    }
    const std::size_t w = std::size_t{settings.wTmax} - settings.wTmin + 1;
    const std::size_t laid = count + w - 1;
    const T* previous = rows.at(m - 1, window.lo - settings.wTmax);
    T* suffix = rows.suffix.data();
    // The suffix minima of the blocks first; their scans are independent, so step through them
    // side by side, so that the chains of minima overlap instead of waiting on each other. The
    // last block may be shorter.
    const std::size_t blocks = (laid + w - 1) / w;
    const std::size_t lastLength = laid - (blocks - 1) * w;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t last = b + 1 < blocks ? b * w + w - 1 : laid - 1;
        suffix[last] = previous[last];
    }
    for (std::size_t i = w - 1; i-- > 0;) {
        const std::size_t full = i + 1 < lastLength ? blocks : blocks - 1;
        for (std::size_t b = 0; b < full; ++b) {
            const std::size_t at = b * w + i;
            suffix[at] = smaller(previous[at], suffix[at + 1]);
        }
    }
    // Then the scores, the prefix minimum of each block kept as its scan goes: the window of
    // start i ends at i + w - 1, which opens a block for i = 1, w + 1, 2w + 1, ...; the window
    // of start 0 is the whole first block.
    scores[0] = smaller(from, suffix[0]) + fit[0];
    for (std::size_t open = 1; open < count; open += w) {
        const std::size_t end = std::min(count, open + w);
        T prefix = previous[open + w - 1];
        scores[open] = smaller(from, smaller(suffix[open], prefix)) + fit[open];
        for (std::size_t i = open + 1; i < end; ++i) {
            prefix = smaller(prefix, previous[i + w - 1]);
            scores[i] = smaller(from, smaller(suffix[i], prefix)) + fit[i];
        }
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
    std::int64_t least = 0;
    std::int64_t most = 0;
    for (std::size_t i = 0; i < row.fits.size(); ++i) {
        const std::int64_t score = row.fits[i].score;
        row.scores[i] = score;
        least = std::min(least, score);
        most = std::max(most, score);
    }
    row.peak = std::max(most, -least);
}

namespace {

// The starts row m of `rows` covers: window m and what layer m + 1 reads of it.
StartWindow rowSpan(std::span<const StartWindow> windows, std::size_t m, std::size_t layers,
                    std::uint16_t wTmin, std::uint16_t wTmax) {
    StartWindow span = width(windows[m]) > 0 ? windows[m] : StartWindow{};
    const bool read = m + 1 < layers && width(windows[m + 1]) > 0 && wTmin <= wTmax;
    if (!read) return span;
    const StartWindow reach{windows[m + 1].lo - wTmax, windows[m + 1].hi - wTmin};
    return width(span) == 0 ? reach
                            : StartWindow{std::min(span.lo, reach.lo), std::max(span.hi, reach.hi)};
}

// Sizes the rows and fills each with absent scores outside its window, which no sweep writes.
template <class T>
void sizeRows(LayerRows<T>& rows, std::span<const StartWindow> windows, std::size_t layers,
              std::uint16_t wTmin, std::uint16_t wTmax) {
    std::size_t widest = 0;
    for (std::size_t m = 0; m < layers; ++m) widest = std::max(widest, width(windows[m]));
    // Room for the widest window and the reach of its first start.
    const std::size_t laid = widest + reachOf(wTmin, wTmax) + 1;
    rows.suffix.resize(laid);
    rows.scores.resize(layers);
    rows.origin.resize(layers);
    const T absent = absentScore<T>();
    for (std::size_t m = 0; m < layers; ++m) {
        const StartWindow span = rowSpan(windows, m, layers, wTmin, wTmax);
        std::vector<T>& row = rows.scores[m];
        row.resize(width(span));
        rows.origin[m] = span.lo;
        if (width(windows[m]) == 0) {
            std::fill(row.begin(), row.end(), absent);
            continue;
        }
        const auto head = static_cast<std::size_t>(windows[m].lo - span.lo);
        std::fill_n(row.begin(), head, absent);
        std::fill(row.begin() + static_cast<std::ptrdiff_t>(head + width(windows[m])), row.end(),
                  absent);
    }
}

}  // namespace

void sizeKnownNumberWork(KnownNumberWork& work, std::span<const StartWindow> windows,
                         std::uint16_t wTmin, std::uint16_t wTmax, bool batches,
                         std::size_t patterns) {
    const std::size_t layers = std::min(windows.size(), work.rows.scores.size());
    if (batches) {
        // One array of the batch's fits per pattern of rows the layers cycle through.
        const std::size_t fits = width(windowHull(windows)) * std::max<std::size_t>(patterns, 1);
        sizeRows(work.quads, windows, layers, wTmin, wTmax);
        work.quadFits.resize(fits);
        sizeRows(work.octets, windows, layers, wTmin, wTmax);
        work.octetFits.resize(fits);
    } else {
        sizeRows(work.rows, windows, layers, wTmin, wTmax);
    }
}

namespace {

// The end of the chain of one candidate whose layer m has score(m, i) at start
// window[m].lo + i: the earliest strictly smallest score of the last layer below endFrom.
template <class Score>
Best endOf(std::span<const StartWindow> windows, const KnownNumberSettings& settings,
           Score&& score) {
    Best end{settings.endFrom, -1};
    if (windows.empty()) return end;
    const std::size_t K = windows.size();
    const StartWindow& last = windows[K - 1];
    for (std::int64_t t = last.lo; t <= last.hi; ++t) {
        const std::int64_t d = score(K - 1, static_cast<std::size_t>(t - last.lo));
        if (d < end.score) end = {d, t};
    }
    return end;
}

// The ends of a batch's chains at once: each lane's earliest strictly smallest score of the
// last layer, kept when below endFrom.
template <class T, std::size_t N>
std::array<Best, N> laneEnds(std::span<const StartWindow> windows,
                             const KnownNumberSettings& settings,
                             LayerRows<ScoreLanes<T, N>>& rows) {
    std::array<Best, N> ends;
    ends.fill({settings.endFrom, -1});
    const std::size_t count = windows.empty() ? 0 : width(windows.back());
    if (count == 0) return ends;
    const ScoreLanes<T, N>* scores = rows.at(windows.size() - 1, windows.back().lo);
    ScoreLanes<T, N> least = scores[0];
    ScoreLanes<T, N> at = filled<ScoreLanes<T, N>>(0);
    for (std::size_t i = 1; i < count; ++i) {
        for (std::size_t c = 0; c < N; ++c) {
            const bool less = scores[i].lane[c] < least.lane[c];
            least.lane[c] = less ? scores[i].lane[c] : least.lane[c];
            at.lane[c] = less ? static_cast<T>(i) : at.lane[c];
        }
    }
    for (std::size_t c = 0; c < N; ++c) {
        if (least.lane[c] < settings.endFrom) {
            ends[c] = {least.lane[c], windows.back().lo + static_cast<std::int64_t>(at.lane[c])};
        }
    }
    return ends;
}

// The earliest strictly smallest D_m below backFrom in reach of the pulse of layer m + 1 at t,
// whose layer score is above its fit fitOf(m + 1, t) by the smallest D_m in reach when that is
// below predecessorFrom: then the search stops at the first start holding it.
template <class Score, class FitOf>
Best predecessorOf(std::span<const StartWindow> windows, const KnownNumberSettings& settings,
                   std::size_t m, std::int64_t t, Score& score, FitOf& fitOf) {
    const StartWindow& window = windows[m];
    const std::int64_t lo = std::max(t - settings.wTmax, window.lo);
    const std::int64_t hi = std::min(t - settings.wTmin, window.hi);
    const auto at = [&](std::int64_t p) {
        return score(m, static_cast<std::size_t>(p - window.lo));
    };
    const std::int64_t least =
        score(m + 1, static_cast<std::size_t>(t - windows[m + 1].lo)) - fitOf(m + 1, t);
    Best previous{settings.backFrom, -1};
    if (least < settings.predecessorFrom) {
        if (least >= settings.backFrom) return previous;
        for (std::int64_t p = lo; p <= hi; ++p) {
            if (at(p) == least) return {least, p};
        }
    }
    for (std::int64_t p = lo; p <= hi; ++p) {
        const std::int64_t d = at(p);
        if (d < previous.score) previous = {d, p};
    }
    return previous;
}

// The chain of one candidate that ends at `end`, whose layer m has score(m, i) at start
// window[m].lo + i, the fit score fitOf(m, t) and the fit pulseOf(m, t): back-tracking from the
// end.
template <class Score, class FitOf, class PulseOf>
KnownNumberResult chainOf(std::span<const StartWindow> windows, const KnownNumberSettings& settings,
                          const Best& end, Score&& score, FitOf&& fitOf, PulseOf&& pulseOf) {
    const std::size_t K = windows.size();
    KnownNumberResult result{settings.endFrom, {}};
    if (end.start < 0) return result;
    PulseChain chain(K);
    chain[K - 1] = pulseOf(K - 1, end.start);
    std::int64_t t = end.start;
    for (std::size_t m = K - 1; m-- > 0;) {
        const Best previous = predecessorOf(windows, settings, m, t, score, fitOf);
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
    for (std::size_t m = 0; m < K; ++m) {
        const FitRow& fits = *layerFits[m];
        // An empty row has no data to point into (its windows are empty too).
        const std::int64_t* fit =
            fits.scores.empty()
                ? nullptr
                : fits.scores.data() + (windows[m].lo - static_cast<std::int64_t>(fits.base));
        if (m == 0) {
            if (width(windows[0]) > 0)
                std::copy_n(fit, width(windows[0]), work.rows.at(0, windows[0].lo));
        } else {
            sweepLayer(windows, m, fit, settings, work.rows);
        }
    }
    const auto score = [&](std::size_t m, std::size_t i) {
        return work.rows.at(m, windows[m].lo)[i];
    };
    return chainOf(
        windows, settings, endOf(windows, settings, score), score,
        [&](std::size_t m, std::int64_t t) {
            return layerFits[m]->scores[static_cast<std::size_t>(t) - layerFits[m]->base];
        },
        [&](std::size_t m, std::int64_t t) { return pulseAt(*layerFits[m], t); });
}

namespace {

// The largest magnitude of the rows' fit scores.
std::int64_t peakOf(std::span<const FitRow* const> rows) {
    std::int64_t peak = 0;
    for (const FitRow* row : rows) peak = std::max(peak, row->peak);
    return peak;
}

// Whether every chain score of a batch whose fits reach `peak` in magnitude stays in 32 bits: a
// layer score is at most the predecessor search start plus the sum of the layers' fits, and at
// least the sum of their fits; the back-tracking search start is held in a lane too.
bool batchFitsNarrow(std::int64_t peak, std::size_t layers, const KnownNumberSettings& settings) {
    const std::int64_t from = std::abs(settings.predecessorFrom);
    const auto most = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max());
    return peak <= most && from <= most && std::abs(settings.backFrom) <= most &&
           static_cast<std::int64_t>(layers) <= (most - from) / std::max<std::int64_t>(peak, 1);
}

// The layers of up to N chains in lanes of type Lanes. Chain c fits layer m with rowOf(c, q),
// q = m % patterns; each pattern's fits are laid side by side in `fits` (unused lanes repeat
// chain 0), then each chain is traced.
template <class Lanes, class RowOf>
void sweepLanes(std::span<const StartWindow> windows, std::size_t batch, std::size_t patterns,
                RowOf&& rowOf, const KnownNumberSettings& settings, LayerRows<Lanes>& layerRows,
                std::vector<Lanes>& fits, std::vector<KnownNumberResult>& results) {
    constexpr std::size_t N = Lanes::kCount;
    using T = typename ScoreTraits<Lanes>::Score;
    const std::size_t K = windows.size();
    batch = std::min(batch, N);
    if (batch == 0) return;
    const std::size_t base = rowOf(0, 0).base;
    const std::size_t hull = rowOf(0, 0).scores.size();
    for (std::size_t q = 0; q < patterns; ++q) {
        // Start by start, so that each laid entry is written once, whole.
        std::array<const std::int64_t*, N> scores;
        for (std::size_t c = 0; c < N; ++c) scores[c] = rowOf(c < batch ? c : 0, q).scores.data();
        Lanes* laid = fits.data() + q * hull;
        for (std::size_t i = 0; i < hull; ++i) {
            for (std::size_t c = 0; c < N; ++c) laid[i].lane[c] = static_cast<T>(scores[c][i]);
        }
    }
    for (std::size_t m = 0; m < K; ++m) {
        const Lanes* fit =
            fits.data() + (m % patterns) * hull + (windows[m].lo - static_cast<std::int64_t>(base));
        if (m == 0) {
            if (width(windows[0]) > 0)
                std::copy_n(fit, width(windows[0]), layerRows.at(0, windows[0].lo));
        } else {
            sweepLayer(windows, m, fit, settings, layerRows);
        }
    }
    const auto ends = laneEnds(windows, settings, layerRows);
    for (std::size_t c = 0; c < batch; ++c) {
        const auto row = [&](std::size_t m) -> const FitRow& { return rowOf(c, m % patterns); };
        results.push_back(chainOf(
            windows, settings, ends[c],
            [&](std::size_t m, std::size_t i) {
                return std::int64_t{layerRows.at(m, windows[m].lo)[i].lane[c]};
            },
            [&](std::size_t m, std::int64_t t) {
                return row(m).scores[static_cast<std::size_t>(t) - row(m).base];
            },
            [&](std::size_t m, std::int64_t t) { return pulseAt(row(m), t); }));
    }
}

// The batches of `count` chains, chain c fitting layer m with rowOf(c, m % patterns): all in
// octets where every chain score fits 32 bits, else in quads.
// peak : the largest magnitude of the fit scores of every row the chains read
template <class RowOf>
std::vector<KnownNumberResult> sweepBatches(std::span<const StartWindow> windows, std::int64_t peak,
                                            std::size_t count, std::size_t patterns, RowOf&& rowOf,
                                            const KnownNumberSettings& settings,
                                            KnownNumberWork& work) {
    std::vector<KnownNumberResult> results;
    count = std::min(count, kOctetLanes);
    if (batchFitsNarrow(peak, windows.size(), settings)) {
        sweepLanes(windows, count, patterns, rowOf, settings, work.octets, work.octetFits, results);
        return results;
    }
    for (std::size_t first = 0; first < count; first += kQuadLanes) {
        sweepLanes(
            windows, std::min(kQuadLanes, count - first), patterns,
            [&](std::size_t c, std::size_t q) -> const FitRow& { return rowOf(first + c, q); },
            settings, work.quads, work.quadFits, results);
    }
    return results;
}

}  // namespace

std::vector<KnownNumberResult> sweepKnownNumberBatch(std::span<const StartWindow> windows,
                                                     std::span<const FitRow* const> rows,
                                                     const KnownNumberSettings& settings,
                                                     KnownNumberWork& work) {
    rows = rows.first(std::min(rows.size(), kOctetLanes));
    return sweepBatches(
        windows, peakOf(rows), rows.size(), 1,
        [&](std::size_t c, std::size_t) -> const FitRow& { return *rows[c]; }, settings, work);
}

std::size_t tuplePatterns(std::span<const std::size_t> sizes, std::size_t layers) {
    std::size_t patterns = 1;
    for (const std::size_t size : sizes) {
        if (size == 0) continue;
        patterns = std::lcm(patterns, size);
        if (patterns >= layers) return std::max<std::size_t>(layers, 1);
    }
    return patterns;
}

std::vector<KnownNumberResult> sweepTupleLanes(std::span<const StartWindow> windows,
                                               std::span<const TupleLane> lanes,
                                               std::size_t patterns,
                                               const KnownNumberSettings& settings,
                                               KnownNumberWork& work) {
    std::int64_t peak = 0;
    for (const TupleLane& lane : lanes) peak = std::max(peak, peakOf(lane.members));
    std::vector<KnownNumberResult> results;
    for (std::size_t first = 0; first < lanes.size(); first += kOctetLanes) {
        const auto rowOf = [&](std::size_t c, std::size_t q) -> const FitRow& {
            const TupleLane& lane = lanes[first + c];
            return *lane.members[(q + lane.phase) % lane.members.size()];
        };
        for (KnownNumberResult& result :
             sweepBatches(windows, peak, std::min(kOctetLanes, lanes.size() - first), patterns,
                          rowOf, settings, work))
            results.push_back(std::move(result));
    }
    return results;
}

}  // namespace mirovale
