#pragma once

#include <cstdint>

#include "core/synthesis/series_header.h"

namespace mirovale {

// The squared restoring error of a processed series: the sum over the N samples of
// (lpPureData[i] - rebuilt[i])^2, where the rebuilt signal holds, for each detected pulse m in
// order, sample c of its etalon (found through lpPulsesList) at lpDetectedPositions[m] + c when
// lpDetectedBegins[m] <= c <= lpDetectedEnds[m], and 0 everywhere else. The pulses are found
// walking the series: a detected pulse is looked for only after the end of the previous one,
// so one that starts inside its predecessor (or at a negative position) is not rebuilt, and
// neither are those after it. Summed in 64 bits, so no sum of squares can wrap.
[[nodiscard]] std::int64_t getRestoringError(const SeriesHeader& series);

}  // namespace mirovale
