#pragma once

#include <cstdint>
#include <span>

namespace mirovale {

struct SeriesHeader;

// State words of the synthesis generators, one per purpose, with their start values. They are
// never reseeded: every run repeats the same sequence of series.
struct GeneratorStates {
    std::uint16_t wFragmentBeginSeed = 7737;  // begin of a cut-off fragment
    std::uint16_t wFragmentEndSeed = 3373;    // end of a cut-off fragment
    std::uint16_t wPositionSeed = 12345;      // pulse positions
    std::uint16_t wPulseCountSeed = 13579;    // number of pulses of the unfixed series types
    std::uint16_t wSubsetStartSeed = 11357;   // subset placement: random start and phase
    std::uint16_t wSubsetPickSeed = 11357;    // subset placement: random picks
    std::uint16_t wShapeSeed = 123;           // shapes of the random etalons

    friend bool operator==(const GeneratorStates&, const GeneratorStates&) = default;
};

// One step of the 15-bit linear congruential generator.
// state : advanced in place; only its low 15 bits matter
// returns the new state, 0..32767
std::int16_t nextUniform(std::uint16_t& state) noexcept;

// Sum of twelve uniform draws from `state`, scaled to a normal value.
// mean : centre of the distribution
// sd   : standard deviation in sample units; the product is formed in 64 bits, so any sd is safe
// returns mean + ((S - 196608) * sd >> 15), kept to its low 16 bits
std::int16_t nextNormal(std::uint16_t& state, std::int16_t mean, std::int16_t sd) noexcept;

// The deviation nextNormal adds to its mean, before it is cut to 16 bits: twelve draws.
std::int32_t normalDeviation(std::uint16_t& state, std::int16_t sd) noexcept;

// Fills the noisy signal of `series` from its noise-free one and records the level.
// wLevel : standard deviation of the noise, 0 for none (the state still advances 12 steps a sample)
// series : lpData[i] = lpPureData[i] + noise for i < dwSeriesSize, saturated to 16 bits
// state  : the noise state word
// baselineOnly : keep to the instructions every x86-64 runs rather than the widest the processor
//                has (the tests run both; the noise is the same)
void addNoise(std::int16_t wLevel, SeriesHeader& series, std::uint16_t& state,
              bool baselineOnly = false) noexcept;

// The generator that fills etalon sequences, behaving like the classic library `rand`.
// state : 32-bit state, 1 at program start
// returns bits 16..30 of the new state, 0..32767
std::uint16_t nextSequenceRandom(std::uint32_t& state) noexcept;

}  // namespace mirovale
