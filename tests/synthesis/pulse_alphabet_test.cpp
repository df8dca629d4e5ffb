#include "core/synthesis/pulse_alphabet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

// The fixed etalons' designed samples, the random ones and the shape generator's state after
// them are the golden start-up script's (tests/data/cli/startup_state).
TEST(CreatePulses, AnAlphabetOfFixedEtalonsOnlyLeavesTheShapeGeneratorAlone) {
    RecordingHost host;
    EtalonTable table{};
    for (std::uint16_t P : {1, 10}) {
        GeneratorStates untouched;
        ASSERT_EQ(createPulses(host, untouched, 128, P, 20, table), 1);
        EXPECT_EQ(untouched, GeneratorStates{}) << "no random etalon among " << P;
        EXPECT_EQ(table[P - 1u].wNumber, P);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST(CreatePulses, RefusalsAndNoMemoryLeaveNoSamplesOfTheCall) {
    struct Case {
        int line;
        std::uint16_t P, L;
        int failAt;
        const char* text;
        const char* caption;
    } cases[] = {
        {__LINE__, 20, 5, 0, "Длина эталона 5 слишком мала: для 20 эталонов нужно не менее 6!",
         " createPulses "},  // the exponential etalon's rise would be 0
        {__LINE__, 8, 1, 0, "Длина эталона 1 слишком мала: для 8 эталонов нужно не менее 2!",
         " createPulses "},
        {__LINE__, 21, 20, 0, "Недопустимое число эталонов: 21 (допустимо от 1 до 20)!",
         " createPulses "},
        {__LINE__, 20, 20, 1, "Не могу выделить память!", ""},
        {__LINE__, 20, 20, 20, "Не могу выделить память!", ""},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        GeneratorStates states;
        EtalonTable table{};
        ScopedAllocationFailure fail(c.failAt);
        EXPECT_EQ(createPulses(host, states, 128, c.P, c.L, table), 0) << c.line;
        EXPECT_THAT(host.messages,
                    ElementsAre(RecordedMessage{c.text, c.caption, MessageIcon::Exclamation}))
            << c.line;
        for (const PulseHeader& p : table) EXPECT_TRUE(p.lpData.empty()) << c.line;
    }
    RecordingHost host;
    std::vector<std::int16_t> target(8, 7);
    EXPECT_EQ(dampedPulse(host, 100, 0, 4, 8, true, target), 0);
    EXPECT_EQ(target, std::vector<std::int16_t>(8, 7));
    EXPECT_THAT(host.messages,
                ElementsAre(RecordedMessage{"Нарастание импульса 0: нужно не менее 1 отсчёта!",
                                            " dampedPulse ", MessageIcon::Exclamation}));
}

TEST(ResamplePulse, MatchesThePlainInterpolationUpAndDown) {
    std::uint16_t state = 99;
    for (std::uint16_t S = 1; S <= 24; ++S) {
        std::vector<std::int16_t> src(S);
        for (auto& x : src) x = static_cast<std::int16_t>(nextUniform(state) - 16384);
        for (std::uint16_t D = 1; D <= 30; ++D) {
            // Target sample i lies at i (S - 1) / (D - 1) of the source.
            std::vector<std::int16_t> target(D), plain(D);
            for (int i = 0; i + 1 < D; ++i) {
                const int j = i * (S - 1) / (D - 1), r = i * (S - 1) % (D - 1);
                const int next = j + 1 < S ? src[std::size_t(j + 1)] : 0;
                plain[std::size_t(i)] = static_cast<std::int16_t>(
                    src[std::size_t(j)] + (next - src[std::size_t(j)]) * r / (D - 1));
            }
            plain[D - 1] = src.back();
            resamplePulse(S, src, D, target);
            EXPECT_EQ(target, S == D ? src : plain) << "S " << S << " D " << D;
        }
    }
    std::vector<std::int16_t> target(3);
    resampleNegated(3, std::vector<std::int16_t>{-32768, 5, 32767}, 3, target);
    EXPECT_THAT(target, ElementsAre(-32768, -5, -32767));
}

}  // namespace
}  // namespace mirovale
