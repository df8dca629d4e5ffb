#include "core/processing/reference/pulse_detection.h"

#include "core/processing/detection_entries.h"
#include "core/processing/reference/chain_detection.h"

namespace mirovale::reference {

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

}  // namespace mirovale::reference
