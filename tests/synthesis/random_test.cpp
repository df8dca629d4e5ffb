#include "core/synthesis/random.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/synthesis/series_header.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

// The three generators from a seed; the sequence generator is the classic rand.
TEST(Generators, FollowTheDocumentedSequencesFromASeed) {
    std::uint16_t uniform = 12345, normal = 10597;
    std::uint32_t sequence = 1;
    std::vector<int> u, n, r;
    for (int i = 0; i < 5; ++i) u.push_back(nextUniform(uniform));
    for (int i = 0; i < 3; ++i) n.push_back(nextNormal(normal, 0, 20));
    for (int i = 0; i < 5; ++i) r.push_back(nextSequenceRandom(sequence));
    EXPECT_THAT(u, ElementsAre(15466, 6047, 1768, 18325, 54));
    EXPECT_THAT(n, ElementsAre(21, -13, -11));
    EXPECT_THAT(r, ElementsAre(41, 18467, 6334, 26500, 19169));
}

// The deviation drawn literally: twelve uniform draws, their sum centred and scaled.
std::int32_t literalDeviation(std::uint16_t& state, std::int16_t sd) {
    std::int64_t sum = 0;
    for (int i = 0; i < 12; ++i) sum += nextUniform(state);
    return static_cast<std::int32_t>((sum - 196608) * sd >> 15);
}

// With sd 20000 a 32-bit product would wrap and flip the sign of large deviations.
TEST(NextNormal, EveryStateGivesTheTwelveDrawDeviationAndState) {
    for (std::uint32_t s = 0; s <= 0xFFFF; ++s) {  // bit 15 set too, as a stored seed may have
        for (const std::int16_t sd :
             {std::int16_t{1}, std::int16_t{20}, std::int16_t{20000}, std::int16_t{-7}}) {
            auto drawn = static_cast<std::uint16_t>(s);
            auto literal = static_cast<std::uint16_t>(s);
            ASSERT_EQ(normalDeviation(drawn, sd), literalDeviation(literal, sd))
                << "state " << s << ", sd " << sd;
            ASSERT_EQ(drawn, literal) << "state " << s;
        }
    }
}

SeriesHeader seriesOf(std::initializer_list<std::int16_t> pure) {
    SeriesHeader s;
    s.lpPureData = pure;
    s.lpData.assign(pure.size(), 0);
    s.dwSeriesSize = s.dwMaxSeriesSize = static_cast<std::uint32_t>(pure.size());
    return s;
}

// Level 0 copies the signal but still draws; 20000 saturates at sixteen bits.
TEST(AddNoise, AddsTheNormalDrawsSaturatedAndAdvancesTheState) {
    // Lengths around the blocks the draws are interleaved in; a state with its unused top bit;
    // the widest instructions and the baseline.
    for (const bool baselineOnly : {false, true}) {
        for (const std::int16_t level : {std::int16_t{0}, std::int16_t{20000}}) {
            for (const std::size_t N : {4u, 8u, 21u}) {
                SeriesHeader s = seriesOf({0, 32767, -32768, 100});
                for (std::size_t i = 4; i < N; ++i)
                    s.lpPureData.push_back(static_cast<std::int16_t>(i * 997));
                s.lpData.assign(N, 0);
                s.dwSeriesSize = s.dwMaxSeriesSize = static_cast<std::uint32_t>(N);
                std::uint16_t state = 10597 | 0x8000, replay = state;
                addNoise(level, s, state, baselineOnly);
                for (std::size_t i = 0; i < N; ++i) {
                    const std::int32_t exact = s.lpPureData[i] + literalDeviation(replay, level);
                    EXPECT_EQ(s.lpData[i], std::clamp(exact, -32768, 32767))
                        << baselineOnly << ' ' << level << " N " << N << " sample " << i;
                }
                EXPECT_EQ(state, replay) << baselineOnly << ' ' << level << " N " << N;
                EXPECT_EQ(s.wNoiseLevel, level);
            }
        }
    }
}

}  // namespace
}  // namespace mirovale
