#include "core/processing/true_chain.h"

#include <algorithm>

namespace mirovale {

std::int64_t trueChainMeasure(const SeriesHeader& series) {
    const std::size_t n = std::min<std::size_t>(series.dwSeriesSize, series.lpData.size());
    const std::size_t pulses =
        std::min({static_cast<std::size_t>(series.wImpulseQuantity), series.lpPositions.size(),
                  series.lpEtalonNumbers.size(), series.lpBegins.size(), series.lpEnds.size()});
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < pulses; ++i) {
        const std::int64_t number = series.lpEtalonNumbers[i];
        if (number < 1 || number > static_cast<std::int64_t>(series.lpPulsesList.size())) continue;
        const PulseHeader* etalon = series.lpPulsesList[static_cast<std::size_t>(number - 1)];
        if (etalon == nullptr) continue;
        const std::int64_t p = series.lpPositions[i];
        for (std::int64_t k = std::max<std::int64_t>(series.lpBegins[i], 0); k <= series.lpEnds[i];
             ++k) {
            if (k >= static_cast<std::int64_t>(etalon->lpData.size()) || p + k < 0 ||
                p + k >= static_cast<std::int64_t>(n)) {
                continue;
            }
            const std::int64_t s = etalon->lpData[static_cast<std::size_t>(k)];
            sum += s * (s - 2 * std::int64_t{series.lpData[static_cast<std::size_t>(p + k)]});
        }
    }
    return sum;
}

}  // namespace mirovale
