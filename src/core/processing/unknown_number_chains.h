#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/processing/admissible_sets.h"
#include "core/processing/chain_ranking.h"
#include "core/processing/local_fit.h"

namespace mirovale {

// One start of one layer of the unknown-number recurrence.
struct ChainCell {
    std::int64_t local = 0;        // S: local score of the best fit here
    std::int64_t score = 0;        // G: best chain score ending here
    std::int32_t back = 0;         // predecessor start on the layer before; -1 start, -2 none
    std::int32_t etalonIndex = 0;  // etalon number - 1 of the fit
    std::int32_t begin = 0;        // kept piece of the fit
    std::int32_t end = 0;
};

// Chains of an unknown number of pulses, one layer per place in a cycle of etalon lists:
// a pulse on layer l continues a chain of layer l - 1 (layer 0 continues the last layer) and
// every chain starts on layer 0. With one layer this is plain detection.
struct LayerTable {
    std::vector<std::vector<ChainCell>> layers;  // [layer][start]
};

// Puts every cell in its unreachable state: S = G = back = U, etalon 0, piece [0..L-1].
void initLayers(LayerTable& table, std::int64_t unreachable, std::uint16_t L);

// Fits the single layer of `table` at every start of `list` (the F ∪ M of plain detection);
// later passes then read these fits instead of fitting again.
void prefitLayer(LayerTable& table, const SeriesView& view, const IntervalList* list,
                 std::span<const FitCandidate> candidates);

// How a pass obtains its local scores.
struct PassSettings {
    std::int64_t unreachable = 0;  // U
    bool prefitted = false;        // read S from the table instead of fitting
    std::uint16_t wTmin = 0;
    std::uint16_t wTmax = 0;
};

// Starts of F \ M: only a first pulse, layer 0 only. G = S, back = -1.
void passFirstOnly(LayerTable& table, const SeriesView& view, const IntervalList* list,
                   std::span<const std::vector<FitCandidate>> layerCandidates,
                   const PassSettings& settings);

// Starts of F ∩ M, every layer: continue the layer before when its best score in
// [t - Tmax, t - Tmin] is negative (strictly smallest, earliest on ties); otherwise layer 0
// starts a chain and other layers stay unreachable.
void passBoth(LayerTable& table, const SeriesView& view, const IntervalList* list,
              std::span<const std::vector<FitCandidate>> layerCandidates,
              const PassSettings& settings);

// Starts of M \ F, every layer: continue the best of the layer before, searched from U.
void passLaterOnly(LayerTable& table, const SeriesView& view, const IntervalList* list,
                   std::span<const std::vector<FitCandidate>> layerCandidates,
                   const PassSettings& settings);

// The chosen end of a chain.
struct ChainEnd {
    bool found = false;
    std::size_t start = 0;
    std::size_t layer = 0;
    std::int64_t score = 0;  // the search start when nothing was found
};

// The smallest G over the starts of `list` ascending and, per start, the layers ascending,
// strictly below `from`.
ChainEnd findChainEnd(const LayerTable& table, const IntervalList* list, std::int64_t from);

// The chain ending at `end`, in series order, following the back links one layer back per
// pulse until a negative link.
PulseChain traceChain(const LayerTable& table, const ChainEnd& end);

}  // namespace mirovale
