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

// Alphabet recognition: which of the series' selected alphabets (wAlphabets,
// selectedAlphabetSize, selectedAlphabetList) the series was written in. Each alphabet's best
// chain is ranked in `chains` with its 1-based alphabetNumber; the smallest distance wins, the
// earlier alphabet on ties. Other parameters as for the detection routines (pulse_detection.h).
// The series receives the winner's chain and wRecognizedAlphabet.
// An alphabet whose detection fails for lack of memory is reported, left out of the ranking
// and never recognised.
// returns the recognised alphabet's number; 0 when there are no alphabets, the work block
// cannot be had, or no alphabet has a chain below 999999999

// Known number of pulses K = wImpulseQuantity.
int recognizeAlphabetFixed(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                           std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                           ChainsHeader* chains, SeriesHeader* series);

// Unknown number of pulses (series types 4 and 8).
int recognizeAlphabetUnfixed(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                             std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                             ChainsHeader* chains, SeriesHeader* series);

// One alphabet, K pulses, windows computed from N, K, L, Tmin and Tmax.
// members : the alphabet's etalon numbers, in order (ties go to the earlier)
// chain   : receives the chain (K pulses, or none when no chain exists)
// returns the end score (9999999 with no chain); nullopt after reporting an allocation failure
std::optional<std::int64_t> detectAlphabetFixed(Host& host, const EtalonTable& etalons,
                                                std::span<const std::int16_t> members,
                                                std::uint16_t wTmin, std::uint16_t wTmax,
                                                std::uint16_t wSavedEnergyProcessing,
                                                const SeriesHeader& series, PulseChain& chain);

// One alphabet, unknown number of pulses: detection as detectUnfixedPulses.
// returns the accepted chain's score (9999999 and an empty chain when none is accepted);
// nullopt after reporting an allocation failure
std::optional<std::int64_t> detectAlphabetUnfixed(Host& host, const EtalonTable& etalons,
                                                  std::span<const std::int16_t> members,
                                                  std::uint16_t wTmin, std::uint16_t wTmax,
                                                  std::uint16_t wSavedEnergyProcessing,
                                                  const SeriesHeader& series, PulseChain& chain);

}  // namespace mirovale
