#include "core/synthesis/pulse_alphabet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"

namespace mirovale {
namespace {

using ::testing::ElementsAreArray;

std::vector<int> samplesOf(const PulseHeader& p) {
    return {p.lpData.begin(), p.lpData.begin() + p.wSize};
}

std::vector<int> negated(std::vector<int> v) {
    for (int& x : v) x = -x;
    return v;
}

TEST(CreatePulses, FixedEtalonsHaveTheirDesignedSamples) {
    RecordingHost host;
    GeneratorStates states;
    EtalonTable table{};
    ASSERT_EQ(createPulses(host, states, 128, 20, 20, table), 1);
    const std::vector<int> halfSine = {12, 24, 36, 47, 57, 65, 72, 78, 81, 83,
                                       83, 81, 78, 72, 65, 57, 47, 36, 24, 12};
    const std::vector<int> fullSine = {24,  47,  65,  78,  83,  81,  72,  57,  36,  12,
                                       -12, -36, -57, -72, -81, -83, -78, -65, -47, -24};
    const std::vector<int> oscillation = {0, 117, 87, -90, -147, 0, 112, 53, -40, -50,
                                          0, 29,  14, -10, -13,  0, 7,   3,  -2,  -3};
    const std::vector<int> exponential = {0,  102, 115, 117, 118, 91, 71, 55, 43, 33,
                                          26, 20,  15,  12,  9,   7,  5,  4,  3,  2};
    const std::vector<std::vector<int>> expected = {std::vector<int>(20, 60),
                                                    std::vector<int>(20, -60),
                                                    halfSine,
                                                    negated(halfSine),
                                                    fullSine,
                                                    negated(fullSine),
                                                    oscillation,
                                                    negated(oscillation),
                                                    exponential,
                                                    negated(exponential)};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_THAT(samplesOf(table[i]), ElementsAreArray(expected[i])) << "record " << i;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].wNumber, i + 1);
        EXPECT_EQ(table[i].wSize, 20);
        EXPECT_EQ(table[i].wMaxSize, 20);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST(CreatePulses, RandomEtalonsStayInRangeAndOnlyThemAdvanceTheShapeState) {
    RecordingHost host;
    EtalonTable table{};
    for (std::uint16_t P : {1, 9, 10}) {
        GeneratorStates states;
        ASSERT_EQ(createPulses(host, states, 128, P, 20, table), 1);
        EXPECT_EQ(states, GeneratorStates{}) << "P " << P;
    }
    GeneratorStates states;
    ASSERT_EQ(createPulses(host, states, 128, 20, 20, table), 1);
    // Ten random etalons of twenty samples, twelve uniform draws a sample.
    std::uint16_t expected = GeneratorStates{}.wShapeSeed;
    for (int i = 0; i < 10 * 20 * 12; ++i) nextUniform(expected);
    EXPECT_EQ(states.wShapeSeed, expected);
    for (std::size_t i = 10; i < 20; ++i) {
        for (std::int16_t x : table[i].lpData) {
            EXPECT_GE(x, -128) << "record " << i;
            EXPECT_LE(x, 127) << "record " << i;
        }
    }
    EXPECT_NE(table[10].lpData, table[11].lpData);
}

TEST(CreatePulses, ReusesLargeEnoughArraysAndReplacesSmallOnes) {
    RecordingHost host;
    GeneratorStates states;
    EtalonTable table{};
    ASSERT_EQ(createPulses(host, states, 128, 20, 24, table), 1);
    const std::int16_t* kept = table[5].lpData.data();
    ASSERT_EQ(createPulses(host, states, 128, 20, 20, table), 1);
    EXPECT_EQ(table[5].lpData.data(), kept);
    EXPECT_EQ(table[5].wMaxSize, 24);
    EXPECT_EQ(table[5].wSize, 20);
    EXPECT_TRUE(host.messages.empty());

    // Growing past the capacity frees in advance, and says so once for record 0.
    ASSERT_EQ(createPulses(host, states, 128, 20, 30, table), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], (RecordedMessage{"Предварительное освобождение памяти!", "Отладка",
                                                 MessageIcon::Exclamation}));
    EXPECT_EQ(table[19].wMaxSize, 30);
}

TEST(CreatePulses, NoMemoryReleasesTheRecordsOfThisCall) {
    for (int k : {1, 4, 20}) {
        RecordingHost host;
        GeneratorStates states;
        EtalonTable table{};
        {
            ScopedAllocationFailure fail(k);
            EXPECT_EQ(createPulses(host, states, 128, 20, 20, table), 0) << "k " << k;
        }
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0],
                  (RecordedMessage{"Не могу выделить память!", "", MessageIcon::Exclamation}));
        for (const PulseHeader& p : table) EXPECT_TRUE(p.lpData.empty()) << "k " << k;
        EXPECT_EQ(states, GeneratorStates{});
    }
}

TEST(CreatePulses, RefusesSizesTheShapesCannotBeMadeWith) {
    struct Case {
        int line;
        std::uint16_t P, L;
        const char* text;
    } cases[] = {
        {__LINE__, 20, 5, "Длина эталона 5 слишком мала: для 20 эталонов нужно не менее 6!"},
        {__LINE__, 8, 1, "Длина эталона 1 слишком мала: для 8 эталонов нужно не менее 2!"},
        {__LINE__, 6, 0, "Длина эталона 0 слишком мала: для 6 эталонов нужно не менее 1!"},
        {__LINE__, 21, 20, "Недопустимое число эталонов: 21 (допустимо от 1 до 20)!"},
        {__LINE__, 0, 20, "Недопустимое число эталонов: 0 (допустимо от 1 до 20)!"},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        GeneratorStates states;
        EtalonTable table{};
        EXPECT_EQ(createPulses(host, states, 128, c.P, c.L, table), 0) << c.line;
        EXPECT_THAT(
            host.messages,
            ElementsAreArray({RecordedMessage{c.text, " createPulses ", MessageIcon::Exclamation}}))
            << c.line;
        EXPECT_TRUE(table[0].lpData.empty()) << c.line;
    }
    // Short etalons are fine while the damped records are not among them.
    RecordingHost host;
    GeneratorStates states;
    EtalonTable table{};
    EXPECT_EQ(createPulses(host, states, 128, 6, 1, table), 1);
    EXPECT_EQ(createPulses(host, states, 128, 8, 5, table), 1);
}

TEST(DampedPulse, RefusesAZeroRiseAndCopesWithARiseOverTheWholePulse) {
    RecordingHost host;
    std::vector<std::int16_t> target(8, 7);
    EXPECT_EQ(dampedPulse(host, 100, 0, 4, 8, true, target), 0);
    EXPECT_THAT(target, ElementsAreArray(std::vector<std::int16_t>(8, 7)));
    EXPECT_THAT(
        host.messages,
        ElementsAreArray({RecordedMessage{"Нарастание импульса 0: нужно не менее 1 отсчёта!",
                                          " dampedPulse ", MessageIcon::Exclamation}}));
    // A rise as long as the pulse never decays: a plain rising envelope.
    EXPECT_EQ(dampedPulse(host, 100, 8, 1, 8, false, target), 1);
    EXPECT_THAT(target, ElementsAreArray(std::vector<std::int16_t>{0, 63, 86, 95, 98, 99, 99, 99}));
}

// The interpolation written the plain way: sample i lies at i (S - 1) / (D - 1) of the source.
std::vector<std::int16_t> resampledByHand(const std::vector<std::int16_t>& src, std::size_t D) {
    const auto S = static_cast<std::int64_t>(src.size());
    const auto d = static_cast<std::int64_t>(D);
    std::vector<std::int16_t> out(D);
    for (std::int64_t i = 0; i + 1 < d; ++i) {
        const std::int64_t j = i * (S - 1) / (d - 1);
        const std::int64_t r = i * (S - 1) % (d - 1);
        const std::int64_t next = j + 1 < S ? src[static_cast<std::size_t>(j + 1)] : 0;
        out[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(src[static_cast<std::size_t>(j)] +
                                      (next - src[static_cast<std::size_t>(j)]) * r / (d - 1));
    }
    out[D - 1] = src.back();
    return out;
}

TEST(ResamplePulse, MatchesThePlainInterpolationUpAndDown) {
    std::uint16_t state = 99;
    for (std::uint16_t S = 2; S <= 24; ++S) {
        std::vector<std::int16_t> src(S);
        for (auto& x : src) x = static_cast<std::int16_t>(nextUniform(state) - 16384);
        for (std::uint16_t D = 1; D <= 30; ++D) {
            std::vector<std::int16_t> target(D);
            resamplePulse(S, src, D, target);
            EXPECT_EQ(target, resampledByHand(src, D)) << "S " << S << " D " << D;
            if (D == S) {
                EXPECT_EQ(target, src) << "S " << S;
            }
        }
    }
    // One source sample is spread; the general rule would read past it.
    std::vector<std::int16_t> target(5);
    resamplePulse(1, std::vector<std::int16_t>{-9}, 5, target);
    EXPECT_THAT(target, ElementsAreArray(std::vector<std::int16_t>(5, -9)));
    resampleNegated(3, std::vector<std::int16_t>{-32768, 5, 32767}, 3, target);
    EXPECT_THAT(std::vector<std::int16_t>(target.begin(), target.begin() + 3),
                ElementsAreArray({-32768, -5, -32767}));
}

}  // namespace
}  // namespace mirovale
