#pragma once

#include <cstdint>
#include <span>

#include "core/host/host.h"
#include "core/processing/chains_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Recognition: which single listed etalon the series repeats. Parameters as for the detection
// routines (pulse_detection.h); each listed etalon's best chain is ranked in `chains`.

// Unknown number of pulses (series types 4 and 8). The series receives the chain that ranks
// first (with a null `chains` the same chain is kept internally).
// returns the recognised etalon number, -1 when none scored below 9999999, 0 after an
// allocation failure (series unchanged)
int recognizeUnfixedPulses(Host& host, const EtalonTable& etalons,
                           std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                           std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                           ChainsHeader* chains, SeriesHeader* series);

// Known number of pulses K, windows from the series.
// returns the recognised etalon number; -1 when none had a chain or after an allocation
// failure (series unchanged then)
int recognizeFixedPulses(Host& host, const EtalonTable& etalons,
                         std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                         std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                         ChainsHeader* chains, SeriesHeader* series);

}  // namespace mirovale
