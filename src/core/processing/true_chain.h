#pragma once

#include <cstdint>

#include "core/synthesis/series_header.h"

namespace mirovale {

// The objective of the series' true configuration, comparable with a chain's distance: the sum
// over the original pulses i and their kept samples k = lpBegins[i]..lpEnds[i] of
// s[k] * (s[k] - 2 * lpData[lpPositions[i] + k]), s being the samples of the pulse's etalon
// (found through lpPulsesList). Summed in 64 bits; pulses whose etalon or samples lie outside
// the record are skipped.
[[nodiscard]] std::int64_t trueChainMeasure(const SeriesHeader& series);

}  // namespace mirovale
