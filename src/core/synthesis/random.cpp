#include "core/synthesis/random.h"

#include <algorithm>
#include <limits>

#include "core/synthesis/series_header.h"

namespace mirovale {

std::int16_t nextUniform(std::uint16_t& state) noexcept {
    state = static_cast<std::uint16_t>((state * 12869u + 6925u) & 0x7FFFu);
    return static_cast<std::int16_t>(state);
}

std::int32_t normalDeviation(std::uint16_t& state, std::int16_t sd) noexcept {
    std::int32_t sum = 0;
    for (int i = 0; i < 12; ++i) sum += nextUniform(state);
    // Widened: (sum - 196608) * sd needs more than 32 bits once |sd| exceeds 10922.
    const std::int64_t scaled = (static_cast<std::int64_t>(sum) - 196608) * sd;
    return static_cast<std::int32_t>(scaled >> 15);
}

std::int16_t nextNormal(std::uint16_t& state, std::int16_t mean, std::int16_t sd) noexcept {
    return static_cast<std::int16_t>(mean + normalDeviation(state, sd));
}

void addNoise(std::int16_t wLevel, SeriesHeader& series, std::uint16_t& state) noexcept {
    for (std::uint32_t i = 0; i < series.dwSeriesSize; ++i) {
        // A noisy sample beyond the 16-bit range is saturated rather than wrapped.
        const std::int32_t noisy = series.lpPureData[i] + normalDeviation(state, wLevel);
        series.lpData[i] = static_cast<std::int16_t>(
            std::clamp<std::int32_t>(noisy, std::numeric_limits<std::int16_t>::min(),
                                     std::numeric_limits<std::int16_t>::max()));
    }
    series.wNoiseLevel = static_cast<std::uint16_t>(wLevel);
}

std::uint16_t nextSequenceRandom(std::uint32_t& state) noexcept {
    state = state * 214013u + 2531011u;
    return static_cast<std::uint16_t>((state >> 16) & 0x7FFFu);
}

}  // namespace mirovale
