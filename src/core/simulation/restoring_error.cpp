#include "core/simulation/restoring_error.h"

#include <algorithm>

namespace mirovale {
namespace {

std::int64_t squared(std::int32_t difference) {
    return static_cast<std::int64_t>(difference) * difference;
}

// Sum of the squared noise-free samples [from, to).
std::int64_t energy(const SeriesHeader& series, std::size_t from, std::size_t to) {
    std::int64_t sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += squared(series.lpPureData[i]);
    return sum;
}

// Sum over the `count` samples from `start` of the squared difference between the noise-free
// signal and detected pulse m: its etalon's samples inside the kept piece, 0 elsewhere or
// without an etalon.
std::int64_t pulseError(const SeriesHeader& series, std::size_t m, std::size_t start,
                        std::size_t count) {
    const std::int32_t etalon = series.lpDetectedEtalons[m];
    const PulseHeader* pulse =
        etalon >= 1 && static_cast<std::size_t>(etalon) <= series.lpPulsesList.size()
            ? series.lpPulsesList[static_cast<std::size_t>(etalon - 1)]
            : nullptr;
    // The piece's samples [from, to) among the count, within the etalon's; none without one.
    const auto clamped = [&](std::int64_t c, std::size_t low) {
        return static_cast<std::size_t>(std::clamp<std::int64_t>(c, static_cast<std::int64_t>(low),
                                                                 static_cast<std::int64_t>(count)));
    };
    const std::size_t from = clamped(series.lpDetectedBegins[m], 0);
    const std::size_t to =
        pulse == nullptr
            ? from
            : clamped(std::min<std::int64_t>(series.lpDetectedEnds[m] + std::int64_t{1},
                                             static_cast<std::int64_t>(pulse->lpData.size())),
                      from);
    std::int64_t sum =
        energy(series, start, start + from) + energy(series, start + to, start + count);
    for (std::size_t c = from; c < to; ++c)
        sum += squared(series.lpPureData[start + c] - pulse->lpData[c]);
    return sum;
}

}  // namespace

// The pulses are taken in order, each where the scan reaches its start: one that starts before
// the scan (overlapping the pulse before it) or not at all is never reached, nor are those after.
std::int64_t getRestoringError(const SeriesHeader& series) {
    const std::size_t n = series.dwSeriesSize;
    const std::size_t L = series.wImpulseSize;
    std::int64_t sum = 0;
    std::size_t i = 0;
    for (std::size_t m = 0; m < series.wDetectedPulses; ++m) {
        const std::int64_t position = series.lpDetectedPositions[m];
        if (position < static_cast<std::int64_t>(i) || position >= static_cast<std::int64_t>(n))
            break;
        const auto start = static_cast<std::size_t>(position);
        sum += energy(series, i, start);
        const std::size_t count = std::min(L, n - start);
        sum += pulseError(series, m, start, count);
        i = start + count;
    }
    return sum + energy(series, i, n);
}

}  // namespace mirovale
