#include "core/synthesis/series_geometry.h"

#include <algorithm>

#include "core/host/format_text.h"

namespace mirovale {

SeriesGeometry seriesGeometry(std::uint16_t L, std::uint16_t wTmin, std::uint16_t wTmax,
                              std::uint32_t N) noexcept {
    const std::uint32_t l = L;
    const std::uint32_t tmin = wTmin;
    const std::uint32_t tmax = wTmax;
    SeriesGeometry g;
    g.wMinPulses = static_cast<std::uint16_t>(std::max<std::uint32_t>((N + l - 1) / tmax, 1));
    // N - L + Tmin is kept from wrapping round: when not even one pulse fits, most is 0.
    g.wMaxPulses = static_cast<std::uint16_t>(N + tmin >= l ? (N + tmin - l) / tmin : 0);
    g.dwBlocks = (N + l - 1) / l;
    g.wTminBlocks = static_cast<std::uint16_t>(std::max<std::uint32_t>((l + tmin - 1) / l, 1));
    g.wTmaxBlocks =
        static_cast<std::uint16_t>(std::max<std::uint32_t>((l + tmax - 2) / l, g.wTminBlocks));
    return g;
}

bool blockProblemFeasible(const SeriesGeometry& geometry, std::uint16_t n) noexcept {
    if (n < 1 || geometry.dwBlocks < 1) return false;
    const std::uint64_t blocks = geometry.dwBlocks;
    const std::uint64_t pulses = n;
    return (pulses - 1) * geometry.wTminBlocks <= blocks - 1 &&
           blocks + 1 <= (pulses + 1) * geometry.wTmaxBlocks;
}

std::string seriesParametersProblem(std::uint16_t L, std::uint16_t wTmin, std::uint16_t wTmax,
                                    std::uint32_t N) {
    if (L > 0 && wTmin > 0 && wTmin <= wTmax && N <= kMaxSeriesLength) return {};
    // "Invalid series parameters! Needed: 0 < wImpulseSize, 0 < wTmin <= wTmax,
    // dwSeriesSize <= 32767."
    return formatText(
        "Недопустимые параметры серии!\n\nwImpulseSize: %d\nwTmin: %d\nwTmax: %d\n"
        "dwSeriesSize: %u\n\nНужно: 0 < wImpulseSize, 0 < wTmin <= wTmax, dwSeriesSize <= %u.\n",
        static_cast<int>(L), static_cast<int>(wTmin), static_cast<int>(wTmax),
        static_cast<unsigned>(N), static_cast<unsigned>(kMaxSeriesLength));
}

}  // namespace mirovale
