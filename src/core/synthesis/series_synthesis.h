#pragma once

#include <cstdint>
#include <span>

#include "core/host/host.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/random.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// Fills a record sized by getCutOffSeriesHeader with one noise-free series: n pulses, one per
// block of L samples, start-to-start distances of wTminBlocks..wTmaxBlocks blocks, each pulse a
// fragment of its etalon that keeps `wSavedEnergy` percent of the etalon's energy.
// host         : shows the refusals and the failure message
// states       : positions, fragment begin and end advance; the subset words when a subset is laid
// P            : etalons in the alphabet, 1..table.size()
// table        : the alphabet table
// L            : etalon length in samples, >= 1
// wTmin, wTmax : least and greatest start-to-start distance in samples, 1 <= wTmin <= wTmax
// N            : series length in samples, <= kMaxSeriesLength
// n            : pulses, least..most of the request and a feasible block problem
// sequence     : at least n 1-based etalon numbers; the laid subset and the corrections (entries
//                0 or above P become 1) are written back
// A            : amplitude setting, recorded in wAmplitude
// wSavedEnergy : percent of each etalon's energy its fragment keeps; 100 gives whole pulses
// series       : the record, sized for this request
// returns n; 0 when the request is refused (message shown, series and sequence unchanged) or the
//         working storage cannot be had (message shown, pulse arrays set, signal left zero)
std::uint16_t makeExtSeries(Host& host, GeneratorStates& states, std::uint16_t P,
                            std::span<const PulseHeader> table, std::uint16_t L,
                            std::uint16_t wTmin, std::uint16_t wTmax, std::uint32_t N,
                            std::uint16_t n, std::span<std::uint16_t> sequence, std::uint16_t A,
                            std::uint16_t wSavedEnergy, SeriesHeader& series);

// Feasible range of every pulse start of a chain of n starts with 0 <= t0 <= Tmax - D,
// Tmin <= t(k+1) - t(k) <= Tmax and T - Tmax <= t(n-1) <= T - D.
// n      : pulses
// D      : length of one pulse (L in samples, 1 in blocks)
// wTmin, wTmax : least and greatest start-to-start distance
// T      : series length in the same unit
// lows   : receives n least starts
// highs  : receives n greatest starts (below the least one when no chain exists)
void boundPositions(std::uint16_t n, std::uint16_t D, std::uint16_t wTmin, std::uint16_t wTmax,
                    std::uint32_t T, std::span<std::int16_t> lows, std::span<std::int16_t> highs);

// Draws a random chain of n starts inside the ranges of boundPositions: an anchor pulse and its
// start first, then the pulses after it, then those before it.
// states    : wPositionSeed advances by one step a draw, n + 1 draws
// n         : pulses, >= 1
// wTmin, wTmax : least and greatest start-to-start distance
// lows, highs  : the ranges from boundPositions
// positions : receives n starts
// returns false when a range turns out empty (the problem was infeasible); positions then hold
//         the starts drawn so far
bool drawPositions(GeneratorStates& states, std::uint16_t n, std::uint16_t wTmin,
                   std::uint16_t wTmax, std::span<const std::int16_t> lows,
                   std::span<const std::int16_t> highs, std::span<std::int16_t> positions);

// Cuts each pulse's fragment, writes it into its block and copies the blocks into the signals.
// host         : shows "no memory" for the working storage
// states       : fragment begin and end advance once a pulse
// table        : the alphabet; samples a record lacks count as zeros
// n            : pulses; lpEtalonNumbers and lpBlocks hold their etalons and blocks
// wSavedEnergy : percent of each etalon's energy the fragment keeps
// series       : wImpulseSize, dwSeriesSize and dwBlocks set
// returns false after the message when the working storage cannot be had (nothing built)
bool buildCutOffSignal(Host& host, GeneratorStates& states, std::span<const PulseHeader> table,
                       std::uint16_t n, std::uint16_t wSavedEnergy, SeriesHeader& series);

}  // namespace mirovale
