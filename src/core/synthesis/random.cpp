#include "core/synthesis/random.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>

#include "core/synthesis/series_header.h"

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#include <immintrin.h>
#endif

namespace mirovale {

std::int16_t nextUniform(std::uint16_t& state) noexcept {
    state = static_cast<std::uint16_t>((state * 12869u + 6925u) & 0x7FFFu);
    return static_cast<std::int16_t>(state);
}

namespace {

// The generator has 2^15 states, so the twelve draws of a normal value are a function of the
// state before them: one table gives their sum, and the state after them is one affine step.
constexpr std::size_t kStates = 0x8000u;
constexpr std::uint32_t kStateMask = 0x7FFFu;

// x -> a x + c modulo 2^15.
struct AffineStep {
    std::uint32_t a;
    std::uint32_t c;
};

// The generator's step applied `steps` times.
constexpr AffineStep stepsOf(int steps) {
    AffineStep f{1u, 0u};
    for (int i = 0; i < steps; ++i)
        f = {(12869u * f.a) & kStateMask, (12869u * f.c + 6925u) & kStateMask};
    return f;
}

constexpr AffineStep kTwelveSteps = stepsOf(12);

std::uint16_t applied(const AffineStep& f, std::uint32_t state) {
    return static_cast<std::uint16_t>((f.a * state + f.c) & kStateMask);
}

// Per state, the sum of the twelve draws that follow it less their mean 12 * 16384.
using CentredSums = std::array<std::int32_t, kStates>;

const CentredSums& centredSums() {
    static const CentredSums sums = [] {
        CentredSums table{};
        for (std::size_t s = 0; s < kStates; ++s) {
            auto state = static_cast<std::uint16_t>(s);
            std::int32_t sum = 0;
            for (int i = 0; i < 12; ++i) sum += nextUniform(state);
            table[s] = sum - 196608;
        }
        return table;
    }();
    return sums;
}

// The scaled deviation of one normal value from its table entry; advances `state` twelve steps.
std::int32_t deviationFrom(const CentredSums& sums, std::uint16_t& state, std::int16_t sd) {
    const std::int32_t centred = sums[state & kStateMask];
    state = applied(kTwelveSteps, state);
    // Widened: centred * sd needs more than 32 bits once |sd| exceeds 10922.
    return static_cast<std::int32_t>(static_cast<std::int64_t>(centred) * sd >> 15);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define MIROVALE_X86_NOISE 1

// Eight samples at a time from the eight streams' states: the sums gathered from the table, the
// deviations as the low words of the 64-bit products shifted right by 15 (the same bits an
// arithmetic shift leaves there), the noisy samples saturated by the 16-bit pack. Returns the
// samples done, a multiple of eight; the streams are left at the next block's states.
__attribute__((target("avx2"))) std::size_t noisyBlocksAvx2(
    const CentredSums& sums, const std::int16_t* pure, std::int16_t* noisy, std::size_t N,
    std::int16_t sd, std::array<std::uint16_t, 8>& streams, const AffineStep& block) {
    alignas(32) std::array<std::int32_t, 8> lanes{};
    std::copy(streams.begin(), streams.end(), lanes.begin());
    const __m256i a = _mm256_set1_epi32(static_cast<std::int32_t>(block.a));
    const __m256i c = _mm256_set1_epi32(static_cast<std::int32_t>(block.c));
    const __m256i mask = _mm256_set1_epi32(static_cast<std::int32_t>(kStateMask));
    // Only the low 15 bits of a state matter, and only they index the table.
    __m256i states =
        _mm256_and_si256(_mm256_load_si256(reinterpret_cast<const __m256i*>(lanes.data())), mask);
    const __m256i scale = _mm256_set1_epi32(sd);
    std::size_t i = 0;
    for (; i + 8 <= N; i += 8) {
        const __m256i centred = _mm256_i32gather_epi32(sums.data(), states, 4);
        states = _mm256_and_si256(_mm256_add_epi32(_mm256_mullo_epi32(states, a), c), mask);
        const __m256i even = _mm256_srli_epi64(_mm256_mul_epi32(centred, scale), 15);
        const __m256i odd = _mm256_slli_epi64(
            _mm256_srli_epi64(_mm256_mul_epi32(_mm256_srli_epi64(centred, 32), scale), 15), 32);
        const __m256i deviation = _mm256_blend_epi32(even, odd, 0xAA);
        const __m256i samples =
            _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pure + i)));
        const __m256i sum = _mm256_add_epi32(samples, deviation);
        const __m256i packed = _mm256_permute4x64_epi64(_mm256_packs_epi32(sum, sum), 0x08);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(noisy + i), _mm256_castsi256_si128(packed));
    }
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes.data()), states);
    for (std::size_t k = 0; k < 8; ++k) streams[k] = static_cast<std::uint16_t>(lanes[k]);
    return i;
}
#endif

}  // namespace

std::int32_t normalDeviation(std::uint16_t& state, std::int16_t sd) noexcept {
    return deviationFrom(centredSums(), state, sd);
}

std::int16_t nextNormal(std::uint16_t& state, std::int16_t mean, std::int16_t sd) noexcept {
    return static_cast<std::int16_t>(mean + normalDeviation(state, sd));
}

void addNoise(std::int16_t wLevel, SeriesHeader& series, std::uint16_t& state,
              bool baselineOnly) noexcept {
    const CentredSums& sums = centredSums();
    // A noisy sample beyond the 16-bit range is saturated rather than wrapped.
    const auto noisy = [&](std::size_t i, std::uint16_t& at) {
        const std::int32_t value = series.lpPureData[i] + deviationFrom(sums, at, wLevel);
        series.lpData[i] = static_cast<std::int16_t>(
            std::clamp<std::int32_t>(value, std::numeric_limits<std::int16_t>::min(),
                                     std::numeric_limits<std::int16_t>::max()));
    };
    // Samples i + k of a block take states k normal values apart; each then steps a whole
    // block ahead, so the blocks' states are kStreams independent chains.
    constexpr std::size_t kStreams = 8;
    static constexpr AffineStep kBlockSteps = stepsOf(12 * kStreams);
    const std::size_t N = series.dwSeriesSize;
    std::size_t i = 0;
    if (N >= kStreams) {
        std::array<std::uint16_t, kStreams> streams{};
        std::uint16_t at = state;
        for (std::uint16_t& stream : streams) {
            stream = at;
            at = applied(kTwelveSteps, at);
        }
#if defined(MIROVALE_X86_NOISE)
        static const bool avx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
        if (avx2 && !baselineOnly) {
            i = noisyBlocksAvx2(sums, series.lpPureData.data(), series.lpData.data(), N, wLevel,
                                streams, kBlockSteps);
        }
#else
        (void)baselineOnly;
#endif
        for (; i + kStreams <= N; i += kStreams) {
            for (std::size_t k = 0; k < kStreams; ++k) {
                std::uint16_t next = streams[k];
                noisy(i + k, next);
                streams[k] = applied(kBlockSteps, streams[k]);
            }
        }
        state = streams[0];  // the state of sample i
    }
    for (; i < N; ++i) noisy(i, state);
    series.wNoiseLevel = static_cast<std::uint16_t>(wLevel);
}

std::uint16_t nextSequenceRandom(std::uint32_t& state) noexcept {
    state = state * 214013u + 2531011u;
    return static_cast<std::uint16_t>((state >> 16) & 0x7FFFu);
}

}  // namespace mirovale
