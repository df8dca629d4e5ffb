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
#include "core/processing/known_number_chains.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The chain a detection found and its distance.
struct DetectionOutcome {
    std::int64_t distance = 0;
    PulseChain chain;
};

// Detection with an unknown number of pulses over the listed etalons: fits on F ∪ M, the three
// passes, the end over Z, accepted below 9999999 (otherwise no pulses and distance 9999999).
// `chains`, when given, is emptied for the run after the tables are made. Reports
// "Нет памяти для EtalonsPartialEnergy!" or "Нет памяти для indexes!" and returns nullopt when
// its tables cannot be had.
template <class Number>
std::optional<DetectionOutcome> detectUnknownNumber(
    Host& host, const EtalonTable& etalons, std::span<const Number> list, std::uint16_t wTmin,
    std::uint16_t wTmax, std::uint16_t wLevel, const SeriesHeader& series, ChainsHeader* chains);

// detectUnknownNumber over several lists (an alphabet's members each) at once, their passes
// side by side in chain lanes where they fit there: the same requests and reports in the same
// order, and outcomes[k] what detectUnknownNumber gives for lists[k] (nullopt after a report).
// Returns false, having done nothing, for more lists than it can hold at once.
bool detectUnknownNumbers(Host& host, const EtalonTable& etalons,
                          std::span<const std::span<const std::int16_t>> lists, std::uint16_t wTmin,
                          std::uint16_t wTmax, std::uint16_t wLevel, const SeriesHeader& series,
                          std::vector<std::optional<DetectionOutcome>>& outcomes);

// Detection of K = windows.size() pulses over the listed etalons, pulse m in windows[m], with
// the search starts of `settings`; the fits are made once per start and read by every layer.
// `chains`, when given, is emptied for the run after the tables are made. Reports
// "Нет памяти для ppDw!" or "Нет памяти для ppDw[m]!" and returns nullopt when its tables cannot
// be had.
template <class Number>
std::optional<DetectionOutcome> detectKnownNumber(Host& host, const EtalonTable& etalons,
                                                  std::span<const Number> list,
                                                  std::uint16_t wLevel, const SeriesHeader& series,
                                                  std::span<const StartWindow> windows,
                                                  const KnownNumberSettings& settings,
                                                  ChainsHeader* chains);

// The two searches above, as the shared entry steps of detection take them.
struct ChainSearch {
    template <class... Args>
    static auto unknown(Args&&... args) {
        return mirovale::detectUnknownNumber(std::forward<Args>(args)...);
    }
    template <class... Args>
    static auto known(Args&&... args) {
        return mirovale::detectKnownNumber(std::forward<Args>(args)...);
    }
};

}  // namespace mirovale
