#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/host/host.h"
#include "core/processing/chain_detection.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/chains_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// One alphabet's detection, as detectAlphabetFixed and detectAlphabetUnfixed: its members, the
// routine's parameters and the series; fills the chain and returns its distance, or nullopt
// after reporting an allocation failure.
using AlphabetDetection = std::optional<std::int64_t> (*)(Host&, const EtalonTable&,
                                                          std::span<const std::int16_t>,
                                                          std::uint16_t, std::uint16_t,
                                                          std::uint16_t, const SeriesHeader&,
                                                          PulseChain&);

// Every alphabet's detection at once, as detectUnknownNumbers: false when it does not take
// them, and the loop then detects them one by one.
using AlphabetBatch = bool (*)(Host&, const EtalonTable&,
                               std::span<const std::span<const std::int16_t>>, std::uint16_t,
                               std::uint16_t, std::uint16_t, const SeriesHeader&,
                               std::vector<std::optional<DetectionOutcome>>&);

// The loop of alphabet recognition around `detect` (or `batch`, when given and it takes them):
// every selected alphabet of the series in order, each chain ranked with its 1-based
// alphabetNumber, the strictly smallest distance below 999999999 recognised. Parameters and result
// as recognizeAlphabetFixed.
int recognizeAlphabetWith(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                          std::uint16_t wTmax, std::uint16_t wLevel, ChainsHeader* chains,
                          SeriesHeader* series, AlphabetDetection detect,
                          AlphabetBatch batch = nullptr);

}  // namespace mirovale
