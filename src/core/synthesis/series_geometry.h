#pragma once

#include <cstdint>
#include <string>

namespace mirovale {

// Sizes of a series request: how many pulses fit and how the series divides into blocks of one
// etalon length. Every division is unsigned and truncating; the caller makes sure that L, Tmin
// and Tmax are not 0 (seriesParametersProblem) before asking.
struct SeriesGeometry {
    std::uint16_t wMinPulses = 0;   // least n: (N + L - 1) / Tmax, at least 1
    std::uint16_t wMaxPulses = 0;   // most n: (N - L + Tmin) / Tmin, 0 when N + Tmin < L
    std::uint32_t dwBlocks = 0;     // B = (N + L - 1) / L
    std::uint16_t wTminBlocks = 0;  // (L + Tmin - 1) / L, at least 1
    std::uint16_t wTmaxBlocks = 0;  // (L + Tmax - 2) / L, at least wTminBlocks
};

// Longest series the 16-bit positions and block indices can address.
inline constexpr std::uint32_t kMaxSeriesLength = 32767;

// L    : etalon length in samples, >= 1
// Tmin : least start-to-start distance in samples, >= 1
// Tmax : greatest start-to-start distance in samples, >= Tmin
// N    : series length in samples, <= kMaxSeriesLength
[[nodiscard]] SeriesGeometry seriesGeometry(std::uint16_t L, std::uint16_t wTmin,
                                            std::uint16_t wTmax, std::uint32_t N) noexcept;

// Whether n pulses, one per block, can be chained with block distances wTminBlocks..wTmaxBlocks,
// the first in blocks 0..wTmaxBlocks-1 and the last in the final wTmaxBlocks blocks:
// (n - 1) * wTminBlocks <= B - 1 and B + 1 <= (n + 1) * wTmaxBlocks, with n >= 1.
[[nodiscard]] bool blockProblemFeasible(const SeriesGeometry& geometry, std::uint16_t n) noexcept;

// The message that refuses a request whose sizes no series can be built with (a zero etalon
// length or interval, Tmin above Tmax, a series longer than kMaxSeriesLength); empty when the
// request is sound.
[[nodiscard]] std::string seriesParametersProblem(std::uint16_t L, std::uint16_t wTmin,
                                                  std::uint16_t wTmax, std::uint32_t N);

}  // namespace mirovale
