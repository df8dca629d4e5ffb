#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/processing/chains_header.h"

namespace mirovale {

// One pulse of a candidate chain.
struct ChainPulse {
    std::int32_t position = 0;  // start sample in the series
    std::int32_t etalon = 0;    // 1-based etalon number
    std::int32_t begin = 0;     // first etalon sample kept
    std::int32_t end = 0;       // last etalon sample kept

    friend bool operator==(const ChainPulse&, const ChainPulse&) = default;
};

// A candidate chain, pulses in series order.
using PulseChain = std::vector<ChainPulse>;

// Empties the record before a search: wPretenders 0, the two pulse counters as given, every
// distance 0 and, when clearRows, the first `clearedPulses` entries of every row's four lists.
void resetChainsHeader(ChainsHeader& chains, std::uint16_t wQuanPulses,
                       std::uint16_t wSeekingPulsesQuantity, std::size_t clearedPulses,
                       bool clearRows = true);

// Offers one chain to the ranking. It goes before the first held chain of strictly greater
// distance (behind equal ones); a full record drops its last chain to make room, and a chain
// worse than every chain of a full record is not kept. At most wMaxPulses pulses are stored;
// pulsesQuantity is the number stored.
// distance       : the chain's objective
// chain          : its pulses
// alphabetNumber : 1-based alphabet for alphabet recognition, 0 otherwise
void rankChain(ChainsHeader& chains, std::int64_t distance, std::span<const ChainPulse> chain,
               std::int32_t alphabetNumber = 0);

// Whether rankChain would keep a chain of this distance.
bool wouldKeep(const ChainsHeader& chains, std::int64_t distance);

}  // namespace mirovale
