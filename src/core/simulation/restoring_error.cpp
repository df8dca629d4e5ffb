#include "core/simulation/restoring_error.h"

namespace mirovale {
namespace {

// Sample c of detected pulse m, or 0 outside its kept piece or without an etalon.
std::int32_t rebuiltSample(const SeriesHeader& series, std::size_t m, std::int32_t c) {
    if (c < series.lpDetectedBegins[m] || c > series.lpDetectedEnds[m]) return 0;
    const std::int32_t etalon = series.lpDetectedEtalons[m];
    if (etalon < 1 || static_cast<std::size_t>(etalon) > series.lpPulsesList.size()) return 0;
    const PulseHeader* pulse = series.lpPulsesList[static_cast<std::size_t>(etalon - 1)];
    if (pulse == nullptr || static_cast<std::size_t>(c) >= pulse->lpData.size()) return 0;
    return pulse->lpData[static_cast<std::size_t>(c)];
}

std::int64_t squared(std::int32_t difference) {
    return static_cast<std::int64_t>(difference) * difference;
}

}  // namespace

std::int64_t getRestoringError(const SeriesHeader& series) {
    const std::size_t n = series.dwSeriesSize;
    const std::int32_t L = series.wImpulseSize;
    std::int64_t sum = 0;
    std::size_t m = 0;
    std::size_t i = 0;
    while (i < n) {
        if (m < series.wDetectedPulses &&
            static_cast<std::int64_t>(i) == series.lpDetectedPositions[m]) {
            for (std::int32_t c = 0; c < L && i < n; ++c, ++i)
                sum += squared(series.lpPureData[i] - rebuiltSample(series, m, c));
            ++m;
        } else {
            sum += squared(series.lpPureData[i]);
            ++i;
        }
    }
    return sum;
}

}  // namespace mirovale
