#include "core/processing/alphabet_recognition.h"

#include <algorithm>

#include "core/host/allocation.h"
#include "core/processing/admissible_sets.h"
#include "core/processing/chain_detection.h"
#include "core/processing/detected_result.h"
#include "core/processing/local_fit.h"
#include "core/processing/sentinels.h"

namespace mirovale {
namespace {

using AlphabetDetection = std::optional<std::int64_t> (*)(Host&, const EtalonTable&,
                                                          std::span<const std::int16_t>,
                                                          std::uint16_t, std::uint16_t,
                                                          std::uint16_t, const SeriesHeader&,
                                                          PulseChain&);

// The loop over the series' alphabets around one per-alphabet detection.
int recognizeAlphabet(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                      std::uint16_t wTmax, std::uint16_t wLevel, ChainsHeader* chains,
                      SeriesHeader* series, AlphabetDetection detect) {
    if (series == nullptr || series->wAlphabets == 0) return 0;
    PulseChain current;
    PulseChain best;
    if (!tryAllocate([&] {
            current.reserve(series->wMaxPulses);
            best.reserve(series->wMaxPulses);
        })) {
        return 0;
    }
    const std::uint16_t K = series->wImpulseQuantity;
    if (chains != nullptr) resetChainsHeader(*chains, K, K, series->wMaxPulses);
    std::int64_t bestDistance = kNineNines;
    int recognised = 0;
    const std::size_t alphabets =
        std::min({static_cast<std::size_t>(series->wAlphabets), series->selectedAlphabetSize.size(),
                  series->selectedAlphabetList.size()});
    for (std::size_t a = 0; a < alphabets; ++a) {
        const auto& row = series->selectedAlphabetList[a];
        const std::size_t size = std::min<std::size_t>(
            static_cast<std::size_t>(std::max<std::int16_t>(series->selectedAlphabetSize[a], 0)),
            row.size());
        current.clear();
        const auto distance = detect(host, etalons, std::span(row).first(size), wTmin, wTmax,
                                     wLevel, *series, current);
        if (!distance) continue;  // failed for lack of memory: never recognised
        if (chains != nullptr) {
            rankChain(*chains, *distance, current, static_cast<std::int32_t>(a + 1));
        }
        if (*distance < bestDistance) {
            bestDistance = *distance;
            recognised = static_cast<int>(a + 1);
            best = current;
        }
    }
    writeDetectedPulses(*series, best);
    series->wRecognizedAlphabet = static_cast<std::uint16_t>(recognised);
    return recognised;
}

}  // namespace

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
    return recognizeAlphabet(host, etalons, wTmin, wTmax, wSavedEnergyProcessing, chains, series,
                             &detectAlphabetFixed);
}

int recognizeAlphabetUnfixed(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                             std::uint16_t wTmax, std::uint16_t wSavedEnergyProcessing,
                             ChainsHeader* chains, SeriesHeader* series) {
    return recognizeAlphabet(host, etalons, wTmin, wTmax, wSavedEnergyProcessing, chains, series,
                             &detectAlphabetUnfixed);
}

}  // namespace mirovale
