#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/host/host.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/chains_header.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale::reference {

// The literal transcription of the routines of core/processing/alphabet_recognition.h, kept as the
// reference that the fast routines are compared and timed against: the same contracts, the
// straightforward loops (every piece summed afresh, every predecessor searched directly).

int recognizeAlphabetFixed(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                           std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                           ChainsHeader* chains, SeriesHeader* series);

int recognizeAlphabetUnfixed(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                             std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                             ChainsHeader* chains, SeriesHeader* series);

std::optional<std::int64_t> detectAlphabetFixed(Host& host, const EtalonTable& etalons,
                                                std::span<const std::int16_t> members,
                                                std::uint16_t wTmin, std::uint16_t wTmax,
                                                std::uint16_t wSavedEnergyProcessing,
                                                const SeriesHeader& series, PulseChain& chain);

std::optional<std::int64_t> detectAlphabetUnfixed(Host& host, const EtalonTable& etalons,
                                                  std::span<const std::int16_t> members,
                                                  std::uint16_t wTmin, std::uint16_t wTmax,
                                                  std::uint16_t wSavedEnergyProcessing,
                                                  const SeriesHeader& series, PulseChain& chain);

}  // namespace mirovale::reference
