#pragma once

#include <cstdint>
#include <span>

#include "core/host/host.h"
#include "core/processing/chains_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale::reference {

// The literal transcription of the routines of core/processing/pulse_detection.h, kept as the
// reference that the fast routines are compared and timed against: the same contracts, the
// straightforward loops (every piece summed afresh, every predecessor searched directly).

int detectUnfixedPulses(Host& host, const EtalonTable& etalons,
                        std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                        std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                        ChainsHeader* chains, SeriesHeader* series);

int detectFixedPulses(Host& host, const EtalonTable& etalons,
                      std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                      std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                      ChainsHeader* chains, SeriesHeader* series);

}  // namespace mirovale::reference
