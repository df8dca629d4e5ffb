#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "core/host/host.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/chains_header.h"
#include "core/processing/detected_result.h"
#include "core/processing/known_number_chains.h"
#include "core/processing/local_fit.h"
#include "core/processing/sentinels.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The entry steps of pulse detection and of one alphabet's detection, the same whichever chain
// search runs them. `Search` has static `unknown(...)` and `known(...)` forwarding to a
// detectUnknownNumber and a detectKnownNumber: the fast ones of the workbench or the literal
// ones of the reference.

template <class Search>
int detectUnfixedPulsesWith(Host& host, const EtalonTable& etalons,
                            std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                            std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                            ChainsHeader* chains, SeriesHeader* series) {
    if (series == nullptr) return 0;
    const auto outcome = Search::unknown(host, etalons, requiredList, wTmin, wTmax,
                                         wSavedEnergyProcessing, *series, chains);
    if (!outcome) return 0;
    writeDetectedPulses(*series, outcome->chain);
    if (chains != nullptr) {
        rankChain(*chains, outcome->distance, outcome->chain);
        if (chains->wPretenders > 0) {
            chains->wSeekingPulsesQuantity = static_cast<std::uint16_t>(chains->pulsesQuantity[0]);
        }
    }
    return 1;
}

template <class Search>
int detectFixedPulsesWith(Host& host, const EtalonTable& etalons,
                          std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                          std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                          ChainsHeader* chains, SeriesHeader* series) {
    if (series == nullptr) return 0;
    const std::vector<StartWindow> windows = seriesWindows(viewOf(*series), *series);
    const KnownNumberSettings settings{kSixNines, kSevenNines, kNineNines, wTmin, wTmax};
    const auto outcome = Search::known(host, etalons, requiredList, wSavedEnergyProcessing, *series,
                                       windows, settings, chains);
    if (!outcome) return 0;
    writeDetectedPulses(*series, outcome->chain);
    if (chains != nullptr) rankChain(*chains, outcome->distance, outcome->chain);
    return 1;
}

template <class Search>
std::optional<std::int64_t> detectAlphabetFixedWith(Host& host, const EtalonTable& etalons,
                                                    std::span<const std::int16_t> members,
                                                    std::uint16_t wTmin, std::uint16_t wTmax,
                                                    std::uint16_t wSavedEnergyProcessing,
                                                    const SeriesHeader& series, PulseChain& chain) {
    const std::vector<StartWindow> windows =
        computedWindows(viewOf(series), series.wImpulseQuantity, wTmin, wTmax);
    const KnownNumberSettings settings{kSixNines, kSevenNines, kNineNines, wTmin, wTmax};
    auto outcome = Search::known(host, etalons, members, wSavedEnergyProcessing, series, windows,
                                 settings, nullptr);
    if (!outcome) return std::nullopt;
    chain = std::move(outcome->chain);
    return outcome->distance;
}

template <class Search>
std::optional<std::int64_t> detectAlphabetUnfixedWith(Host& host, const EtalonTable& etalons,
                                                      std::span<const std::int16_t> members,
                                                      std::uint16_t wTmin, std::uint16_t wTmax,
                                                      std::uint16_t wSavedEnergyProcessing,
                                                      const SeriesHeader& series,
                                                      PulseChain& chain) {
    auto outcome = Search::unknown(host, etalons, members, wTmin, wTmax, wSavedEnergyProcessing,
                                   series, nullptr);
    if (!outcome) return std::nullopt;
    chain = std::move(outcome->chain);
    return outcome->distance;
}

}  // namespace mirovale
