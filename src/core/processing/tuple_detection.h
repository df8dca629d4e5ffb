#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/host/host.h"
#include "core/processing/chains_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Tuples with a known number K = wImpulseQuantity of pulses (series type 36): pulse m carries
// etalon u[(m + phase) mod s] of a subset u[0..s-1]. Other parameters as for the detection
// routines (pulse_detection.h).
// wSubsetProceeding : 1 tries phase 0 only; any other value tries every phase 0..s-1
// The series receives the positions, etalons, pieces, wDetectedTuples and each tuple's 1-based
// first and last pulse (lpTupleFirst, lpTupleLast).

// Detection with a known subset; windows computed from N, K, L, Tmin and Tmax.
// subset : etalon numbers u[0..s-1]; an empty subset, or one naming an etalon outside the table,
//          explains nothing (0 pulses)
// returns 1; 0 after an allocation failure (series and chains unchanged)
int detectFixedTuples(Host& host, const EtalonTable& etalons, std::span<const std::uint32_t> subset,
                      std::uint16_t wSubsetProceeding, std::uint16_t wTmin, std::uint16_t wTmax,
                      std::uint16_t wSavedEnergyProcessing, ChainsHeader* chains,
                      SeriesHeader* series);

// Recognition among stored subsets; windows from the series. Stores wRecognizedSubset.
// subsetSizes : length of each stored subset
// subsetRows  : etalon numbers of each stored subset (row k holds subsetSizes[k] entries)
// dwSubsets   : number of stored subsets in use; a subset naming an etalon outside the table
//               is not tried
// returns the 1-based recognised subset; 0 when none scored below 9999999 (the series then
// holds 0 pulses and subset 0) or after an allocation failure (series unchanged)
int recognizeFixedTuples(Host& host, const EtalonTable& etalons,
                         std::span<const std::uint32_t> subsetSizes,
                         std::span<const std::vector<std::uint32_t>> subsetRows,
                         std::uint32_t dwSubsets, std::uint16_t wSubsetProceeding,
                         std::uint16_t wTmin, std::uint16_t wTmax,
                         std::uint16_t wSavedEnergyProcessing, ChainsHeader* chains,
                         SeriesHeader* series);

}  // namespace mirovale
