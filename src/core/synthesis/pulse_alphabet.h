#pragma once

#include <cstdint>
#include <span>

#include "core/host/host.h"
#include "core/synthesis/pulse_header.h"
#include "core/synthesis/random.h"

namespace mirovale {

// Height of the rectangle records 0 and 1 and base of the full-sine records 4 and 5.
inline constexpr std::int16_t kRectangleHeight = 60;

// Fills records 0..P-1 of the alphabet table: ten analytic shapes (five and their negations),
// then random waveforms. Reuses every sample array of at least L samples.
// host   : shows the failure messages
// states : wShapeSeed advances only for the random etalons (P > 10)
// A      : amplitude, scales records 2, 3, 6..9 and the random ones, which stay in -A..A-1
// P      : etalons to fill, 1..20
// L      : samples per etalon; at least 2 when P > 6 and at least 6 when P > 8 (the rise of the
//          damped etalons must not be 0)
// table  : the alphabet table
// returns 1; 0 after a message when P or L is refused (nothing changed) or memory runs out
//          (the sample arrays of this call's earlier records released)
int createPulses(Host& host, GeneratorStates& states, std::uint16_t A, std::uint16_t P,
                 std::uint16_t L, EtalonTable& table);

// A pulse that rises as 1 - e^(-8k/r) up to sample r and then decays as e^(-4(k-r)/(n-r)),
// optionally multiplied by c sine periods over the n samples.
// host     : shows the refusal of a rise below 1
// a        : amplitude in sample units
// r        : rise in samples, >= 1
// c        : sine periods over the pulse
// n        : pulse length in samples
// withSine : true for the oscillating pulse, false for the plain envelope
// target   : receives n samples, truncated toward zero
// returns 1; 0 after a message when r < 1 (target untouched)
int dampedPulse(Host& host, std::int32_t a, std::int32_t r, std::int32_t c, std::uint16_t n,
                bool withSine, std::span<std::int16_t> target);

// Integer linear resampling of S samples onto D samples; the first and last samples are kept.
// S      : source length, >= 1 (a source of one sample fills the target with it)
// source : S samples
// D      : target length; 0 does nothing
// target : receives D samples
void resamplePulse(std::uint16_t S, std::span<const std::int16_t> source, std::uint16_t D,
                   std::span<std::int16_t> target);

// resamplePulse, then every target sample negated (-32768 stays -32768).
void resampleNegated(std::uint16_t S, std::span<const std::int16_t> source, std::uint16_t D,
                     std::span<std::int16_t> target);

}  // namespace mirovale
