#include "core/processing/reference/alphabet_recognition.h"

#include "core/processing/admissible_sets.h"
#include "core/processing/alphabet_loop.h"
#include "core/processing/local_fit.h"
#include "core/processing/reference/chain_detection.h"
#include "core/processing/sentinels.h"

namespace mirovale::reference {

std::optional<std::int64_t> detectAlphabetFixed(Host& host, const EtalonTable& etalons,
                                                std::span<const std::int16_t> members,
                                                std::uint16_t wTmin, std::uint16_t wTmax,
                                                std::uint16_t wSavedEnergyProcessing,
                                                const SeriesHeader& series, PulseChain& chain) {
    const std::vector<StartWindow> windows =
        computedWindows(viewOf(series), series.wImpulseQuantity, wTmin, wTmax);
    const KnownNumberSettings settings{kSixNines, kSevenNines, kNineNines, wTmin, wTmax};
    auto outcome = detectKnownNumber(host, etalons, members, wSavedEnergyProcessing, series,
                                     windows, settings, nullptr);
    if (!outcome) return std::nullopt;
    chain = std::move(outcome->chain);
    return outcome->distance;
}

std::optional<std::int64_t> detectAlphabetUnfixed(Host& host, const EtalonTable& etalons,
                                                  std::span<const std::int16_t> members,
                                                  std::uint16_t wTmin, std::uint16_t wTmax,
                                                  std::uint16_t wSavedEnergyProcessing,
                                                  const SeriesHeader& series, PulseChain& chain) {
    auto outcome = detectUnknownNumber(host, etalons, members, wTmin, wTmax, wSavedEnergyProcessing,
                                       series, nullptr);
    if (!outcome) return std::nullopt;
    chain = std::move(outcome->chain);
    return outcome->distance;
}

int recognizeAlphabetFixed(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                           std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                           ChainsHeader* chains, SeriesHeader* series) {
    return recognizeAlphabetWith(host, etalons, wTmin, wTmax, wSavedEnergyProcessing, chains,
                                 series, &detectAlphabetFixed);
}

int recognizeAlphabetUnfixed(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                             std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                             ChainsHeader* chains, SeriesHeader* series) {
    return recognizeAlphabetWith(host, etalons, wTmin, wTmax, wSavedEnergyProcessing, chains,
                                 series, &detectAlphabetUnfixed);
}

}  // namespace mirovale::reference
