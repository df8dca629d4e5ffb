#include "core/processing/reference/pulse_detection.h"

#include "core/processing/detected_result.h"
#include "core/processing/reference/chain_detection.h"
#include "core/processing/sentinels.h"

namespace mirovale::reference {

int detectUnfixedPulses(Host& host, const EtalonTable& etalons,
                        std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                        std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                        ChainsHeader* chains, SeriesHeader* series) {
    if (series == nullptr) return 0;
    const auto outcome = detectUnknownNumber(host, etalons, requiredList, wTmin, wTmax,
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

int detectFixedPulses(Host& host, const EtalonTable& etalons,
                      std::span<const std::uint16_t> requiredList, std::uint16_t wTmin,
                      std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                      ChainsHeader* chains, SeriesHeader* series) {
    if (series == nullptr) return 0;
    const std::vector<StartWindow> windows = seriesWindows(viewOf(*series), *series);
    const KnownNumberSettings settings{kSixNines, kSevenNines, kNineNines, wTmin, wTmax};
    const auto outcome = detectKnownNumber(host, etalons, requiredList, wSavedEnergyProcessing,
                                           *series, windows, settings, chains);
    if (!outcome) return 0;
    writeDetectedPulses(*series, outcome->chain);
    if (chains != nullptr) rankChain(*chains, outcome->distance, outcome->chain);
    return 1;
}

}  // namespace mirovale::reference
