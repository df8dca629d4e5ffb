#include "core/processing/detected_result.h"

#include <algorithm>

namespace mirovale {

void writeDetectedPulses(SeriesHeader& series, std::span<const ChainPulse> chain) {
    const std::size_t capacity =
        std::min({series.lpDetectedPositions.size(), series.lpDetectedEtalons.size(),
                  series.lpDetectedBegins.size(), series.lpDetectedEnds.size()});
    const std::size_t n = std::min(chain.size(), capacity);
    series.wDetectedPulses = static_cast<std::uint16_t>(n);
    for (std::size_t j = 0; j < n; ++j) {
        series.lpDetectedPositions[j] = static_cast<std::int16_t>(chain[j].position);
        series.lpDetectedEtalons[j] = static_cast<std::int16_t>(chain[j].etalon);
        series.lpDetectedBegins[j] = static_cast<std::int16_t>(chain[j].begin);
        series.lpDetectedEnds[j] = static_cast<std::int16_t>(chain[j].end);
    }
}

std::vector<TupleBounds> tupleBounds(std::size_t pulses, std::size_t s, std::size_t phase) {
    std::vector<TupleBounds> tuples;
    if (s == 0) return tuples;
    std::size_t first = 1;
    std::size_t length = s - phase % s;
    while (first <= pulses) {
        const std::size_t last = std::min(first + length - 1, pulses);
        tuples.push_back({static_cast<std::int32_t>(first), static_cast<std::int32_t>(last)});
        first = last + 1;
        length = s;
    }
    return tuples;
}

void writeDetectedTuples(SeriesHeader& series, std::span<const TupleBounds> tuples) {
    const std::size_t n =
        std::min({tuples.size(), series.lpTupleFirst.size(), series.lpTupleLast.size()});
    series.wDetectedTuples = static_cast<std::uint16_t>(n);
    for (std::size_t k = 0; k < n; ++k) {
        series.lpTupleFirst[k] = static_cast<std::int16_t>(tuples[k].first);
        series.lpTupleLast[k] = static_cast<std::int16_t>(tuples[k].last);
    }
}

}  // namespace mirovale
