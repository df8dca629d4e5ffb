#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/host/host.h"
#include "core/processing/chains_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Tuples with an unknown number of pulses (series types 4, 8 and 40): one layer per place in
// the subset cycle; every chain starts with u[0]. Other parameters as for the detection
// routines (pulse_detection.h).
// wSubsetProceeding : accepted for the callers; it has no effect here
// dwDebuggingRepeat : while non-zero, the two debugging dumps are shown (caption
//                     " About TuplesDetection ", each cut to 4999 characters); cleared at the end

// Detection with a known subset u = `subset`. The series receives the chain (when it scored
// below 99999999), its tuples and wSeekingPulsesQuantity in `chains`.
// returns 1; 0 after an allocation failure (series unchanged)
int TuplesDetection(Host& host, const EtalonTable& etalons, std::span<const std::uint32_t> subset,
                    std::uint16_t wSubsetProceeding, std::uint16_t wTmin, std::uint16_t wTmax,
                    std::uint16_t wSavedEnergyProcessing, ChainsHeader* chains,
                    SeriesHeader* series, std::uint32_t& dwDebuggingRepeat);

// Recognition among stored subsets (parameters as recognizeFixedTuples). The series receives
// the best subset's chain, tuples and 1-based number in wRecognizedSubset (0 when none scored
// below 999999999).
// returns 1; 0 after an allocation failure (series unchanged)
int recognizeUnfixedTuples(Host& host, const EtalonTable& etalons,
                           std::span<const std::uint32_t> subsetSizes,
                           std::span<const std::vector<std::uint32_t>> subsetRows,
                           std::uint32_t dwSubsets, std::uint16_t wSubsetProceeding,
                           std::uint16_t wTmin, std::uint16_t wTmax,
                           std::uint16_t wSavedEnergyProcessing, ChainsHeader* chains,
                           SeriesHeader* series, std::uint32_t& dwDebuggingRepeat);

}  // namespace mirovale
