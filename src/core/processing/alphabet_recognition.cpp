#include "core/processing/alphabet_recognition.h"

#include "core/processing/alphabet_loop.h"
#include "core/processing/chain_detection.h"
#include "core/processing/detection_entries.h"

namespace mirovale {

std::optional<std::int64_t> detectAlphabetFixed(Host& host, const EtalonTable& etalons,
                                                std::span<const std::int16_t> members,
                                                std::uint16_t wTmin, std::uint16_t wTmax,
                                                std::uint16_t wSavedEnergyProcessing,
                                                const SeriesHeader& series, PulseChain& chain) {
    return detectAlphabetFixedWith<ChainSearch>(host, etalons, members, wTmin, wTmax,
                                                wSavedEnergyProcessing, series, chain);
}

std::optional<std::int64_t> detectAlphabetUnfixed(Host& host, const EtalonTable& etalons,
                                                  std::span<const std::int16_t> members,
                                                  std::uint16_t wTmin, std::uint16_t wTmax,
                                                  std::uint16_t wSavedEnergyProcessing,
                                                  const SeriesHeader& series, PulseChain& chain) {
    return detectAlphabetUnfixedWith<ChainSearch>(host, etalons, members, wTmin, wTmax,
                                                  wSavedEnergyProcessing, series, chain);
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
                                 series, &detectAlphabetUnfixed, &detectUnknownNumbers);
}

}  // namespace mirovale
