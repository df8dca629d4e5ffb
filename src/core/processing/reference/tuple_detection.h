#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/host/host.h"
#include "core/processing/chains_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale::reference {

// The literal transcription of the routines of core/processing/tuple_detection.h, kept as the
// reference that the fast routines are compared and timed against: the same contracts, the
// straightforward loops (every piece summed afresh, every predecessor searched directly).

int detectFixedTuples(Host& host, const EtalonTable& etalons, std::span<const std::uint32_t> subset,
                      std::uint16_t wSubsetProceeding, std::uint16_t wTmin, std::uint16_t wTmax,
                      std::uint16_t wSavedEnergyProcessing, ChainsHeader* chains,
                      SeriesHeader* series);

int recognizeFixedTuples(Host& host, const EtalonTable& etalons,
                         std::span<const std::uint32_t> subsetSizes,
                         std::span<const std::vector<std::uint32_t>> subsetRows,
                         std::uint32_t dwSubsets, std::uint16_t wSubsetProceeding,
                         std::uint16_t wTmin, std::uint16_t wTmax,
                         std::uint16_t wSavedEnergyProcessing, ChainsHeader* chains,
                         SeriesHeader* series);

}  // namespace mirovale::reference
