#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/host/host.h"
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

// The loop of alphabet recognition around `detect`: every selected alphabet of the series in
// order, each chain ranked with its 1-based alphabetNumber, the strictly smallest distance below
// 999999999 recognised. Parameters and result as recognizeAlphabetFixed.
int recognizeAlphabetWith(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                          std::uint16_t wTmax, std::uint16_t wLevel, ChainsHeader* chains,
                          SeriesHeader* series, AlphabetDetection detect);

}  // namespace mirovale
