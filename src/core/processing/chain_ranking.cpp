#include "core/processing/chain_ranking.h"

#include <algorithm>

namespace mirovale {
namespace {

void moveRow(ChainsHeader& chains, std::size_t from, std::size_t to) {
    chains.distance[to] = chains.distance[from];
    chains.pulsesQuantity[to] = chains.pulsesQuantity[from];
    chains.alphabetNumber[to] = chains.alphabetNumber[from];
    for (auto* table :
         {&chains.pulsesList, &chains.positionsList, &chains.beginsList, &chains.endsList}) {
        (*table)[to] = (*table)[from];
    }
}

}  // namespace

void resetChainsHeader(ChainsHeader& chains, std::uint16_t wQuanPulses,
                       std::uint16_t wSeekingPulsesQuantity, std::size_t clearedPulses,
                       bool clearRows) {
    chains.wPretenders = 0;
    chains.wQuanPulses = wQuanPulses;
    chains.wSeekingPulsesQuantity = wSeekingPulsesQuantity;
    if (!clearRows) return;
    std::fill(chains.distance.begin(), chains.distance.end(), 0);
    for (auto* table :
         {&chains.pulsesList, &chains.positionsList, &chains.beginsList, &chains.endsList}) {
        for (auto& row : *table) {
            std::fill_n(row.begin(), std::min(clearedPulses, row.size()), 0);
        }
    }
}

namespace {

std::size_t capacityOf(const ChainsHeader& chains) {
    return std::min(chains.distance.size(), chains.positionsList.size());
}

// The row a chain of this distance goes to: before the first held chain of strictly greater
// distance, else behind the held ones.
std::size_t rowFor(const ChainsHeader& chains, std::int64_t distance) {
    const std::size_t held = std::min<std::size_t>(chains.wPretenders, capacityOf(chains));
    std::size_t r = 0;
    while (r < held && !(distance < chains.distance[r])) ++r;
    return r;
}

}  // namespace

bool wouldKeep(const ChainsHeader& chains, std::int64_t distance) {
    return rowFor(chains, distance) < capacityOf(chains);
}

void rankChain(ChainsHeader& chains, std::int64_t distance, std::span<const ChainPulse> chain,
               std::int32_t alphabetNumber) {
    const std::size_t capacity = capacityOf(chains);
    const std::size_t held = std::min<std::size_t>(chains.wPretenders, capacity);
    const std::size_t r = rowFor(chains, distance);
    if (r >= capacity) return;  // worse than every chain of a full record
    const std::size_t last = held < capacity ? held : capacity - 1;
    for (std::size_t s = last; s > r; --s) moveRow(chains, s - 1, s);
    const std::size_t pulses = std::min(chain.size(), chains.positionsList[r].size());
    chains.distance[r] = distance;
    chains.pulsesQuantity[r] = static_cast<std::int32_t>(pulses);
    chains.alphabetNumber[r] = alphabetNumber;
    for (std::size_t j = 0; j < pulses; ++j) {
        chains.pulsesList[r][j] = static_cast<std::int16_t>(chain[j].etalon);
        chains.positionsList[r][j] = static_cast<std::int16_t>(chain[j].position);
        chains.beginsList[r][j] = static_cast<std::int16_t>(chain[j].begin);
        chains.endsList[r][j] = static_cast<std::int16_t>(chain[j].end);
    }
    if (held < capacity) chains.wPretenders = static_cast<std::uint16_t>(held + 1);
}

}  // namespace mirovale
