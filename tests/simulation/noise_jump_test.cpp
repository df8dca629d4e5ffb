#include "core/simulation/noise_jump.h"

#include <gtest/gtest.h>

#include "core/synthesis/random.h"

namespace mirovale {
namespace {

std::uint16_t stepped(std::uint16_t state, std::uint64_t steps) {
    for (std::uint64_t k = 0; k < steps; ++k) nextUniform(state);
    return state;
}

// That a run's jump skips exactly addNoise's draws (noiseSteps) is pinned by the parallel
// driver's equality with the one-loop driver, which draws every sample.
TEST(UniformStateAfter, LandsWhereSteppingOneByOneLands) {
    const struct {
        int line;
        std::uint16_t state;
        std::uint64_t steps;
    } cases[] = {
        {__LINE__, 10597, 0},         {__LINE__, 10597, 1},  {__LINE__, 10597, 12},
        {__LINE__, 10597, 12 * 1200}, {__LINE__, 0, 32767},  {__LINE__, 32767, 32768},
        {__LINE__, 12345, 100003},    {__LINE__, 0x8001, 5},  // a 16th bit drops at the first step
    };
    for (const auto& c : cases)
        EXPECT_EQ(uniformStateAfter(c.state, c.steps), stepped(c.state, c.steps)) << c.line;
    // The generator's period is 2^15, so a jump by a multiple of it beyond 64 bits' reach by
    // stepping comes back where it started.
    EXPECT_EQ(uniformStateAfter(4321, (1ull << 62) + 7), stepped(4321, 7));
}

}  // namespace
}  // namespace mirovale
