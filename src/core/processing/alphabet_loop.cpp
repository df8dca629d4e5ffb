#include "core/processing/alphabet_loop.h"

#include <algorithm>
#include <vector>

#include "core/host/allocation.h"
#include "core/processing/detected_result.h"
#include "core/processing/sentinels.h"

namespace mirovale {

int recognizeAlphabetWith(Host& host, const EtalonTable& etalons, std::uint16_t wTmin,
                          std::uint16_t wTmax, std::uint16_t wLevel, ChainsHeader* chains,
                          SeriesHeader* series, AlphabetDetection detect, AlphabetBatch batch) {
    if (series == nullptr || series->wAlphabets == 0) return 0;
    PulseChain current;
    PulseChain best;
    if (!tryAllocate([&] {
            current.reserve(series->wMaxPulses);
            best.reserve(series->wMaxPulses);
        })) {
        // Said, not silent: a bare 0 would read as "no alphabet recognised".
        // "No memory for the chains of alphabet recognition!"
        host.messageBox("Нет памяти для цепочек распознавания алфавита!", "", MessageIcon::None);
        return 0;
    }
    const std::uint16_t K = series->wImpulseQuantity;
    if (chains != nullptr) resetChainsHeader(*chains, K, K, series->wMaxPulses);
    std::int64_t bestDistance = kNineNines;
    int recognised = 0;
    const std::size_t alphabets =
        std::min({static_cast<std::size_t>(series->wAlphabets), series->selectedAlphabetSize.size(),
                  series->selectedAlphabetList.size()});
    std::vector<std::span<const std::int16_t>> members;
    for (std::size_t a = 0; a < alphabets; ++a) {
        const auto& row = series->selectedAlphabetList[a];
        const std::size_t size = std::min<std::size_t>(
            static_cast<std::size_t>(std::max<std::int16_t>(series->selectedAlphabetSize[a], 0)),
            row.size());
        members.push_back(std::span(row).first(size));
    }
    std::vector<std::optional<DetectionOutcome>> outcomes;
    const bool together =
        batch != nullptr && batch(host, etalons, members, wTmin, wTmax, wLevel, *series, outcomes);
    for (std::size_t a = 0; a < alphabets; ++a) {
        current.clear();
        std::optional<std::int64_t> distance;
        if (!together) {
            distance = detect(host, etalons, members[a], wTmin, wTmax, wLevel, *series, current);
        } else if (outcomes[a]) {
            distance = outcomes[a]->distance;
            current = std::move(outcomes[a]->chain);
        }
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

}  // namespace mirovale
