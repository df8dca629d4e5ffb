#include "core/processing/pulse_detection.h"

#include "core/processing/chain_detection.h"
#include "core/processing/detection_entries.h"

namespace mirovale {

int detectUnfixedPulses(Host& host, const EtalonTable& etalons,
                        std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                        std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                        ChainsHeader* chains, SeriesHeader* series) {
    return detectUnfixedPulsesWith<ChainSearch>(host, etalons, requiredList, wTmin, wTmax,
                                                wSavedEnergyProcessing, chains, series);
}

int detectFixedPulses(Host& host, const EtalonTable& etalons,
                      std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                      std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                      ChainsHeader* chains, SeriesHeader* series) {
    return detectFixedPulsesWith<ChainSearch>(host, etalons, requiredList, wTmin, wTmax,
                                              wSavedEnergyProcessing, chains, series);
}

}  // namespace mirovale
