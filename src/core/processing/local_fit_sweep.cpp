#include "core/processing/local_fit_sweep.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <type_traits>
#include <utility>

#include "core/processing/sentinels.h"

// The sweeps keep the starts of a span in vectors of lanes. The kernel is built once for
// baseline x86-64 (or whatever the target is) and, on x86-64, once more for AVX2 and once for
// AVX-512 with its dot products; the widest the processor runs is chosen at run time.

// The helpers below pass lanes by value; they are inlined into the sweeps, whose instruction
// sets pick the instructions, so the by-value ABI the warning is about never applies.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

// The per-function instruction sets below are spelled as GCC spells them; clang builds (the
// fuzzers) take the baseline kernel alone.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#include <immintrin.h>
#define MIROVALE_X86_SWEEPS 1
#endif

namespace mirovale {
namespace {

// Eight 32-bit starts, or four 64-bit ones, per vector; loaded and stored through the
// unaligned twins, which alias their element type only.
using Narrow = std::int32_t __attribute__((vector_size(32)));
using Wide = std::int64_t __attribute__((vector_size(32)));

template <class V>
using ElementOf = std::remove_cvref_t<decltype(std::declval<V>()[0])>;

template <class V>
constexpr std::size_t kLanes = sizeof(V) / sizeof(ElementOf<V>);

// Each instruction set sweeps spans of kGroups vectors side by side, so that the chains of
// additions overlap: four within the sixteen vector registers of AVX2, six within AVX-512's
// thirty-two (measured fastest). Words and rows are laid out for the longest span.
constexpr std::size_t kGroupsMost = 6;
template <class V>
constexpr std::size_t kSpanMost = kLanes<V>* kGroupsMost;

// Loads and stores at any element boundary. A copy of the bytes is what every compiler turns
// into one unaligned vector move; a vector type with lowered alignment is not honoured by all.
[[gnu::always_inline]] inline void load(const std::int32_t* p, Narrow& v) {
    std::memcpy(&v, p, sizeof v);
}
[[gnu::always_inline]] inline void load(const std::int64_t* p, Wide& v) {
    std::memcpy(&v, p, sizeof v);
}
template <class V>
[[gnu::always_inline]] inline V load(const ElementOf<V>* p) {
    V v;
    load(p, v);
    return v;
}
[[gnu::always_inline]] inline void store(std::int32_t* p, Narrow v) {
    std::memcpy(p, &v, sizeof v);
}
[[gnu::always_inline]] inline void store(std::int64_t* p, Wide v) {
    std::memcpy(p, &v, sizeof v);
}

template <class V>
[[gnu::always_inline]] inline V splat(ElementOf<V> value) {
    return value - V{};
}

template <class V>
[[gnu::always_inline]] inline V smaller(V a, V b) {
    return a < b ? a : b;
}

template <class V>
[[gnu::always_inline]] inline V larger(V a, V b) {
    return a > b ? a : b;
}

// C[j + 1] = C[j] + e[j]^2 - 2 e[j] x[t + j] with the samples loaded as they are.
struct GenericUpdate {
    const std::int64_t* slope;
    const std::int64_t* square;

    GenericUpdate(const FitPlan& plan, const FitPlan::Entry& entry)
        : slope(plan.slope.data() + entry.steps), square(plan.square.data() + entry.steps) {}

    template <class V>
    [[gnu::always_inline]] V operator()(V c, V x, std::size_t j) const {
        using E = ElementOf<V>;
        return c + (static_cast<E>(square[j]) + static_cast<E>(slope[j]) * x);
    }
};

using NarrowFit = void (*)(const FitPlan&, const std::int32_t*, std::int32_t*, std::size_t,
                           const FitOut&);
using WideFit = void (*)(const FitPlan&, const std::int64_t*, std::int64_t*, std::size_t,
                         const FitOut&);

namespace baseline {
constexpr std::size_t kGroups = 4;
#include "core/processing/local_fit_kernel.inc"
}  // namespace baseline

#if defined(MIROVALE_X86_SWEEPS)
#pragma GCC push_options
#pragma GCC target("avx2")
namespace avx2 {
constexpr std::size_t kGroups = 4;

// The step as one multiply-add of the word (x, 1) with (-2 e[j], e[j]^2).
[[gnu::always_inline]] inline Narrow pairStep(Narrow c, Narrow x, std::int32_t word) {
    return c + reinterpret_cast<Narrow>(
                   _mm256_madd_epi16(reinterpret_cast<__m256i>(x), _mm256_set1_epi32(word)));
}

#define MIROVALE_PAIR_STEP
#include "core/processing/local_fit_kernel.inc"
#undef MIROVALE_PAIR_STEP
}  // namespace avx2
#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("arch=x86-64-v4,avx512vnni")
namespace avx512 {
constexpr std::size_t kGroups = 6;

// The same step as one dot product accumulated into C.
[[gnu::always_inline]] inline Narrow pairStep(Narrow c, Narrow x, std::int32_t word) {
    return reinterpret_cast<Narrow>(_mm256_dpwssd_epi32(
        reinterpret_cast<__m256i>(c), reinterpret_cast<__m256i>(x), _mm256_set1_epi32(word)));
}

#define MIROVALE_PAIR_STEP
#include "core/processing/local_fit_kernel.inc"
#undef MIROVALE_PAIR_STEP
}  // namespace avx512
#pragma GCC pop_options
#endif

// The sweeps of the widest instruction set the processor runs; pairs is null without one.
struct Sweeps {
    NarrowFit narrow = baseline::fitNarrow;
    NarrowFit pairs = nullptr;
    WideFit wide = baseline::fitWide;
};

Sweeps chooseSweeps(SweepKernels kernels) {
#if defined(MIROVALE_X86_SWEEPS)
    __builtin_cpu_init();
    if (kernels == SweepKernels::Widest && __builtin_cpu_supports("avx512f") &&
        __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512cd") &&
        __builtin_cpu_supports("avx512vnni")) {
        return {avx512::fitNarrow, avx512::fitPairs, avx512::fitWide};
    }
    if (kernels != SweepKernels::Baseline && __builtin_cpu_supports("avx2")) {
        return {avx2::fitNarrow, avx2::fitPairs, avx2::fitWide};
    }
#endif
    return {};
}

const Sweeps& sweeps(SweepKernels kernels) {
    static const Sweeps chosen[] = {chooseSweeps(SweepKernels::Widest),
                                    chooseSweeps(SweepKernels::UpToAvx2),
                                    chooseSweeps(SweepKernels::Baseline)};
    return chosen[static_cast<std::size_t>(kernels)];
}

// Whether every sum of the plan over samples of magnitude at most `peak` stays in 32 bits:
// |C[j]| and every piece score of an entry are at most P[L] + 2 * sum |e| * peak.
bool fitsNarrow(const FitPlan& plan, std::int64_t peak) {
    return std::all_of(plan.entries.begin(), plan.entries.end(), [&](const FitPlan::Entry& e) {
        return e.energy + 2 * e.magnitude * peak <= std::numeric_limits<std::int32_t>::max();
    });
}

// Lays out the call's samples in `words` as the sweep loads them, followed by zeros so that a
// span of any kernel starting before `count` reads its kSpan + L - 1 of them: as they are, or as
// the words (x, 1).
template <class V>
void layOut(std::span<const std::int16_t> x, std::size_t count, std::size_t L, bool asPairs,
            std::vector<ElementOf<V>>& words) {
    if (asPairs) {
        words.resize(x.size());
        for (std::size_t i = 0; i < x.size(); ++i) {
            words[i] = static_cast<std::int32_t>(static_cast<std::uint16_t>(x[i]) | 0x10000u);
        }
    } else {
        words.assign(x.begin(), x.end());
    }
    words.resize(count + kSpanMost<V> + L, 0);
}

// One entry's coefficients and its begins with their least stops.
void planEntry(FitPlan& plan, FitPlan::Entry& entry, const FitCandidate& c) {
    const std::size_t L = plan.L;
    const auto& P = c.energy;
    entry.steps = plan.slope.size();
    for (const std::int16_t v : c.samples.first(L)) {
        const std::int64_t e = v;
        plan.slope.push_back(-2 * e);
        plan.square.push_back(e * e);
        plan.pairsFit = plan.pairsFit && std::abs(e) <= 181;
        plan.pairs.push_back(static_cast<std::int32_t>(static_cast<std::uint16_t>(-2 * e) |
                                                       static_cast<std::uint32_t>(e * e) << 16));
        entry.magnitude += std::abs(e);
    }
    entry.stopsFrom = plan.stops.size();
    entry.firstStop = L + 1;
    std::size_t b = 0;
    for (std::size_t a = 0; a < L && P[L] - P[a] > c.threshold; ++a) {
        // The least end is non-decreasing in a, and b = L - 1 always qualifies here.
        b = std::max(b, a);
        while (!(P[b + 1] - P[a] > c.threshold)) ++b;
        plan.stops.push_back(static_cast<std::uint16_t>(b + 1));
        entry.firstStop = std::min(entry.firstStop, b + 1);
        ++entry.begins;
    }
    const std::uint16_t* stops = plan.stops.data() + entry.stopsFrom;
    plan.admits.resize(plan.admits.size() + L, 0);
    std::uint8_t* admits = plan.admits.data() + entry.steps;
    entry.direct = true;
    std::size_t nonzero = 0;  // the first nonzero sample from a on
    for (std::size_t a = 0; a < entry.begins; ++a) {
        admits[stops[a] - 1] = 1;
        nonzero = std::max(nonzero, a);
        while (nonzero < L && c.samples[nonzero] == 0) ++nonzero;
        entry.direct = entry.direct && nonzero >= stops[a] - 1u;
    }
    for (std::size_t r = entry.firstStop; r <= L; ++r) entry.gated = entry.gated || !admits[r - 1];
}

}  // namespace

FitPlan makeFitPlan(std::span<const FitCandidate> candidates, std::uint16_t L) {
    FitPlan plan;
    plan.L = L;
    const std::size_t steps = candidates.size() * L;
    plan.entries.reserve(candidates.size());
    plan.slope.reserve(steps);
    plan.square.reserve(steps);
    plan.pairs.reserve(steps);
    plan.stops.reserve(steps);
    plan.admits.reserve(steps);
    for (const FitCandidate& c : candidates) {
        FitPlan::Entry& entry = plan.entries.emplace_back();
        entry.etalonIndex = c.etalonIndex;
        entry.energy = c.energy[L];
        planEntry(plan, entry, c);
    }
    return plan;
}

void reserveFitSweep(FitSweepBuffers& buffers, std::uint16_t L, std::size_t most) {
    const auto size = [&](auto& words, auto& rows, std::size_t span) {
        words.reserve(most + span + L);
        if (rows.size() < std::size_t{L} * span) rows.resize(std::size_t{L} * span);
    };
    size(buffers.narrowWords, buffers.narrowRows, kSpanMost<Narrow>);
    size(buffers.wideWords, buffers.wideRows, kSpanMost<Wide>);
}

void fitStarts(const FitPlan& plan, const SeriesView& view, std::size_t first,
               std::span<LocalFit> out, FitSweepBuffers& buffers, SweepKernels kernels) {
    fitStarts(plan, view, first, out.size(), FitOut{out.data()}, buffers, kernels);
}

void fitStarts(const FitPlan& plan, const SeriesView& view, std::size_t first, std::size_t count,
               const FitOut& out, FitSweepBuffers& buffers, SweepKernels kernels) {
    const std::size_t L = plan.L;
    if (count == 0) return;
    if (plan.entries.empty() || L == 0) {
        // No candidates: unreachable. No samples: every whole etalon scores 0, the first wins.
        const LocalFit fit = plan.entries.empty()
                                 ? LocalFit{kEightNines, 0, 0, static_cast<std::int32_t>(L) - 1}
                                 : LocalFit{0, plan.entries[0].etalonIndex, 0, -1};
        for (std::size_t i = 0; i < count; ++i) {
            if (out.fits != nullptr) {
                out.fits[i] = fit;
            } else {
                out.scores[i * out.stride] = static_cast<std::int32_t>(fit.score);
                out.etalons[i * out.stride] = fit.etalonIndex;
            }
        }
        return;
    }
    const auto samples = view.x.subspan(first, count + L - 1);
    reserveFitSweep(buffers, plan.L, count);
    FitSweepBuffers::Laid& laid = buffers.laid;
    if (!(laid.L == L && laid.samples != nullptr && laid.samples <= samples.data() &&
          samples.data() + samples.size() <= laid.samples + laid.count)) {
        // layOut's words for all starts of the series: N - L + 1 of them, kSpanMost + L more.
        const bool room = buffers.narrowWords.capacity() >= view.x.size() + 1 + kSpanMost<Narrow> &&
                          buffers.wideWords.capacity() >= view.x.size() + 1 + kSpanMost<Wide>;
        const auto source = room ? view.x : samples;
        laid = {source.data(), source.size(), plan.L, samplePeak(source), -1, false};
    }
    const std::span<const std::int16_t> source(laid.samples, laid.count);
    const std::size_t starts = laid.count - L + 1;
    const auto offset = static_cast<std::size_t>(samples.data() - laid.samples);
    const Sweeps& chosen = sweeps(kernels);
    // The peak of all samples laid out bounds those of the call: the sweep it picks gives the
    // same fits as the one the call's own samples would pick.
    if (fitsNarrow(plan, laid.peak)) {
        const bool asPairs = plan.pairsFit && chosen.pairs != nullptr;
        if (laid.narrow != (asPairs ? 1 : 0)) {
            layOut<Narrow>(source, starts, L, asPairs, buffers.narrowWords);
            laid.narrow = asPairs ? 1 : 0;
        }
        (asPairs ? chosen.pairs : chosen.narrow)(plan, buffers.narrowWords.data() + offset,
                                                 buffers.narrowRows.data(), count, out);
    } else {
        if (!laid.wide) {
            layOut<Wide>(source, starts, L, false, buffers.wideWords);
            laid.wide = true;
        }
        chosen.wide(plan, buffers.wideWords.data() + offset, buffers.wideRows.data(), count, out);
    }
}

LocalFit settleFit(const FitPlan& plan, const SeriesView& view, std::size_t t,
                   std::int32_t etalonIndex) {
    const std::size_t L = plan.L;
    const auto entry = std::find_if(plan.entries.begin(), plan.entries.end(),
                                    [&](const auto& e) { return e.etalonIndex == etalonIndex; });
    if (entry == plan.entries.end()) {
        return {kEightNines, 0, 0, static_cast<std::int32_t>(L) - 1};  // as with no candidates
    }
    // C[j] at t, and its suffix minima; on the stack for the usual pulse lengths.
    constexpr std::size_t kOnStack = 64;
    std::int64_t stack[2 * (kOnStack + 1)];
    std::vector<std::int64_t> heap(L > kOnStack ? 2 * (L + 1) : 0);
    std::int64_t* const C = L > kOnStack ? heap.data() : stack;
    std::int64_t* const lowest = C + L + 1;
    C[0] = 0;
    for (std::size_t j = 0; j < L; ++j) {
        C[j + 1] =
            C[j] + plan.square[entry->steps + j] + plan.slope[entry->steps + j] * view.x[t + j];
    }
    lowest[L] = C[L];
    for (std::size_t j = L; j-- > 0;) lowest[j] = std::min(C[j], lowest[j + 1]);
    const std::uint16_t* stops = plan.stops.data() + entry->stopsFrom;
    std::int64_t best = C[L];
    for (std::size_t a = 0; a < entry->begins; ++a) best = std::min(best, lowest[stops[a]] - C[a]);
    LocalFit fit{C[L], etalonIndex, 0, static_cast<std::int32_t>(L) - 1};
    if (best == C[L]) return fit;  // the whole etalon comes first
    // The first piece in the literal order, begins then ends ascending, that scores the least.
    for (std::size_t a = 0; a < entry->begins; ++a) {
        if (lowest[stops[a]] - C[a] != best) continue;
        std::size_t stop = stops[a];
        while (C[stop] - C[a] != best) ++stop;
        fit = {best, etalonIndex, static_cast<std::int32_t>(a),
               static_cast<std::int32_t>(stop) - 1};
        break;
    }
    return fit;
}

}  // namespace mirovale
