#include "core/display/restore_error.h"

#include <algorithm>

#include "core/display/graph_primitives.h"

namespace mirovale {
namespace {

// Pulse c of chain row 0, as the walk over the series takes it.
struct ChainPulse {
    std::int64_t q = 0;  // first sample
    const PulseHeader* etalon = nullptr;
    std::int32_t begin = 0;
    std::int32_t end = -1;
};

// Pulse c of row 0, or nothing (q = n) when the row has no such pulse or its etalon is unknown.
ChainPulse chainPulse(const ChainsHeader* chains, const SeriesHeader& series, std::size_t c,
                      std::int64_t n) {
    ChainPulse none{n};
    if (chains == nullptr || chains->wPretenders == 0 || chains->pulsesList.empty()) return none;
    const auto& etalons = chains->pulsesList[0];
    if (c >= etalons.size() || chains->positionsList.empty() ||
        c >= chains->positionsList[0].size() || chains->beginsList.empty() ||
        c >= chains->beginsList[0].size() || chains->endsList.empty() ||
        c >= chains->endsList[0].size())
        return none;
    const PulseHeader* etalon = etalonOf(series, etalons[c]);
    if (etalon == nullptr) return none;
    return {chains->positionsList[0][c], etalon, chains->beginsList[0][c], chains->endsList[0][c]};
}

}  // namespace

std::int64_t restoreError(const ChainsHeader* chains, const SeriesHeader& series) {
    const std::int64_t n = std::min<std::int64_t>(
        {series.dwSeriesSize, static_cast<std::int64_t>(series.lpPureData.size())});
    const std::int64_t length = series.wImpulseSize;
    const std::size_t taken = chains != nullptr ? chains->wSeekingPulsesQuantity : 0;
    std::size_t c = 0;
    ChainPulse pulse = chainPulse(chains, series, c, n);
    std::int32_t k = 0;
    std::int64_t sum = 0;
    for (std::int64_t j = 0; j < n; ++j) {
        std::int64_t rebuilt = 0;
        if (j >= pulse.q && j < pulse.q + length) {
            if (k >= pulse.begin && k <= pulse.end &&
                k < static_cast<std::int32_t>(pulse.etalon->lpData.size()))
                rebuilt = pulse.etalon->lpData[static_cast<std::size_t>(k)];
            ++k;
        }
        if (j == pulse.q + length - 1) {
            ++c;
            pulse = c < taken ? chainPulse(chains, series, c, n) : ChainPulse{n};
            k = 0;
        }
        const std::int64_t d = series.lpPureData[static_cast<std::size_t>(j)] - rebuilt;
        sum += d * d;
    }
    return sum;
}

}  // namespace mirovale
