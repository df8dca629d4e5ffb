#pragma once

#include <cstdint>
#include <span>

#include "core/host/host.h"
#include "core/processing/chains_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Common parameters of the detection and recognition routines:
// host     : receives the "Нет памяти для ...!" messages (no caption, no icon)
// etalons  : the alphabet table; etalon number k is entry k - 1
// wTmin    : least start-to-start distance in samples (inclusive)
// wTmax    : greatest start-to-start distance in samples (inclusive)
// wSavedEnergyProcessing : percent 0..100 of an etalon's energy a kept piece must exceed;
//            100 fits whole etalons only
// chains   : ranking of the candidate chains, or null
// series   : the noisy series (N, L, pulse bounds, lpData); its detected fields are overwritten.
//            A null series is refused with the routine's failure result.
// Scores are summed in 64 bits with the same sentinels and comparisons as the 32-bit
// definition, so extreme noise cannot wrap a sum. Set bounds are clipped to the starts
// 0..N - L that the series holds.

// Detection with an unknown number of pulses (series types 4 and 8): the best admissible chain
// of pulses of the listed etalons, accepted when its score is below 9999999.
// requiredList : etalon numbers to try; on equal fits the earlier one wins
// returns 1; 0 after an allocation failure (series and chains unchanged)
int detectUnfixedPulses(Host& host, const EtalonTable& etalons,
                        std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                        std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                        ChainsHeader* chains, SeriesHeader* series);

// Detection with a known number K = wImpulseQuantity of pulses, pulse m starting inside
// [lpMinPositions[m] .. lpMaxPositions[m]] of the series. When no chain exists the series
// reports 0 pulses and the chain is ranked with distance 9999999.
// returns 1; 0 after an allocation failure (series and chains unchanged)
int detectFixedPulses(Host& host, const EtalonTable& etalons,
                      std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                      std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                      ChainsHeader* chains, SeriesHeader* series);

}  // namespace mirovale
