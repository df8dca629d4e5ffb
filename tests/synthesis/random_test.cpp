#include "core/synthesis/random.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "core/synthesis/series_header.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

TEST(NextUniform, FollowsTheDocumentedSequenceFromASeed) {
    std::uint16_t state = 12345;
    std::array<int, 5> got{};
    for (auto& v : got) v = nextUniform(state);
    EXPECT_THAT(got, ElementsAre(15466, 6047, 1768, 18325, 54));
}

TEST(NextNormal, FollowsTheDocumentedSequence) {
    std::uint16_t state = 10597;
    std::array<int, 3> got{};
    for (auto& v : got) v = nextNormal(state, 0, 20);
    EXPECT_THAT(got, ElementsAre(21, -13, -11));
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

TEST(AddNoise, ZeroLevelCopiesTheSignalButStillAdvancesTheState) {
    SeriesHeader s = seriesOf({1, -2, 3, 32767});
    std::uint16_t state = 10597;
    std::uint16_t expected = 10597;
    addNoise(0, s, state);
    for (int i = 0; i < 4 * 12; ++i) nextUniform(expected);
    EXPECT_EQ(s.lpData, s.lpPureData);
    EXPECT_EQ(state, expected);
    EXPECT_EQ(s.wNoiseLevel, 0);
}

TEST(AddNoise, AddsTheNormalDrawsInOrderAndSaturatesAtSixteenBits) {
    // Lengths around the blocks the draws are interleaved in; a state with its unused top bit.
    for (const std::size_t N : {4u, 8u, 21u}) {
        SeriesHeader s = seriesOf({0, 32767, -32768, 100});
        for (std::size_t i = 4; i < N; ++i) s.lpPureData.push_back(static_cast<std::int16_t>(i * 997));
        s.lpData.assign(N, 0);
        s.dwSeriesSize = s.dwMaxSeriesSize = static_cast<std::uint32_t>(N);
        std::uint16_t state = 10597 | 0x8000;
        std::uint16_t replay = state;
        addNoise(20000, s, state);
        for (std::size_t i = 0; i < N; ++i) {
            const std::int32_t exact = s.lpPureData[i] + normalDeviation(replay, 20000);
            const std::int32_t saturated = exact > 32767 ? 32767 : (exact < -32768 ? -32768 : exact);
            EXPECT_EQ(s.lpData[i], saturated) << "N " << N << ", sample " << i;
        }
        EXPECT_EQ(state, replay) << "N " << N;
        EXPECT_EQ(s.wNoiseLevel, 20000);
    }
}

TEST(NextSequenceRandom, BehavesLikeTheClassicRand) {
    std::uint32_t state = 1;
    std::array<int, 5> got{};
    for (auto& v : got) v = nextSequenceRandom(state);
    EXPECT_THAT(got, ElementsAre(41, 18467, 6334, 26500, 19169));
}

}  // namespace
}  // namespace mirovale
