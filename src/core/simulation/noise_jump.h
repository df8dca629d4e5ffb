#pragma once

#include <cstdint>

namespace mirovale {

// The state of the 15-bit uniform generator (nextUniform) after `steps` steps from `state`,
// found in O(log steps) by composing the generator's affine step with itself. It lets the
// simulation hand out a series' noise to a worker and go on at once with the state the noise
// leaves, which addNoise reaches in 12 steps a sample.
// state : the state word; only its low 15 bits matter once a step is taken
// steps : steps to take; 0 returns `state` unchanged
[[nodiscard]] std::uint16_t uniformStateAfter(std::uint16_t state, std::uint64_t steps) noexcept;

// Steps addNoise takes on a series of N samples.
[[nodiscard]] constexpr std::uint64_t noiseSteps(std::uint32_t N) noexcept {
    return 12ull * N;
}

}  // namespace mirovale
