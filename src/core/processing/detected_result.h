#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/processing/chain_ranking.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Writes a chain into the series' detected fields: wDetectedPulses and, per pulse, position,
// etalon, begin and end. At most the capacity of the per-pulse arrays is written.
void writeDetectedPulses(SeriesHeader& series, std::span<const ChainPulse> chain);

// One tuple: 1-based indexes of its first and last pulse.
struct TupleBounds {
    std::int32_t first = 0;
    std::int32_t last = 0;

    friend bool operator==(const TupleBounds&, const TupleBounds&) = default;
};

// Divides `pulses` pulses into tuples of a subset of length s whose first pulse carries member
// `phase`: the first tuple holds pulses 1..min(s - phase, pulses), each further one the next s,
// the last cut at `pulses`. No tuples for no pulses or s = 0.
std::vector<TupleBounds> tupleBounds(std::size_t pulses, std::size_t s, std::size_t phase);

// Writes wDetectedTuples, lpTupleFirst and lpTupleLast (at most their capacity).
void writeDetectedTuples(SeriesHeader& series, std::span<const TupleBounds> tuples);

}  // namespace mirovale
