#pragma once

#include <cstdint>

#include "core/processing/chains_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The squared error of the signal the best chain explains against the noise-free signal: the
// sum over the N samples of (lpPureData[j] - rebuilt[j])^2. The rebuilt signal holds the pulses
// of chain row 0 in order, wSeekingPulsesQuantity of them but always at least the first: pulse c
// at positionsList[0][c] spans wImpulseSize samples and shows the samples of its etalon within
// beginsList[0][c]..endsList[0][c], zeros elsewhere; the next pulse is taken where the span
// ends. Everything else is 0, and so is the whole rebuilt signal when the record holds no chain
// (no row, or etalon number 0 in its first place). Summed in 64 bits.
// chains : the result record, or null (then the rebuilt signal is all zeros)
[[nodiscard]] std::int64_t restoreError(const ChainsHeader* chains, const SeriesHeader& series);

}  // namespace mirovale
