#include "core/synthesis/series_synthesis.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/synthesis/pulse_alphabet.h"
#include "core/synthesis/series_allocation.h"
#include "core/synthesis/series_geometry.h"
#include "series_checks.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

TEST(SeriesGeometry, SizesOfTheRequest) {
    struct Case {
        int line;
        std::uint32_t N;
        std::uint16_t L, Tmin, Tmax;
        std::uint16_t least, most;
        std::uint32_t B;
        std::uint16_t tminBlocks, tmaxBlocks;
    } cases[] = {
        {__LINE__, 1200, 20, 40, 181, 6, 30, 60, 2, 9},
        {__LINE__, 1210, 20, 40, 181, 6, 30, 61, 2, 9},   // N not a multiple of L: a part block
        {__LINE__, 200, 20, 40, 181, 1, 5, 10, 2, 9},     // least 1 raised from 1
        {__LINE__, 1200, 20, 10, 20, 60, 119, 60, 1, 1},  // Tmin below L: one block at least
        {__LINE__, 10, 20, 40, 181, 1, 0, 1, 2, 9},       // no pulse fits: most 0
        {__LINE__, 5, 20, 10, 30, 1, 0, 1, 1, 2},         // N + Tmin < L must not wrap round
        {__LINE__, 1200, 20, 41, 41, 29, 29, 60, 3, 3},   // wTmaxBlocks raised to wTminBlocks
    };
    for (const Case& c : cases) {
        const SeriesGeometry g = seriesGeometry(c.L, c.Tmin, c.Tmax, c.N);
        EXPECT_EQ(g.wMinPulses, c.least) << c.line;
        EXPECT_EQ(g.wMaxPulses, c.most) << c.line;
        EXPECT_EQ(g.dwBlocks, c.B) << c.line;
        EXPECT_EQ(g.wTminBlocks, c.tminBlocks) << c.line;
        EXPECT_EQ(g.wTmaxBlocks, c.tmaxBlocks) << c.line;
    }
}

// Every chain of n starts, enumerated: the values each start takes over all of them.
std::vector<std::set<int>> reachableStarts(int n, int D, int tmin, int tmax, int T) {
    std::vector<std::set<int>> reach(static_cast<std::size_t>(n));
    std::vector<int> chain(static_cast<std::size_t>(n));
    std::function<void(int)> extend = [&](int k) {
        if (k == n) {
            if (chain.back() >= T - tmax && chain.back() <= T - D)
                for (int i = 0; i < n; ++i)
                    reach[static_cast<std::size_t>(i)].insert(chain[static_cast<std::size_t>(i)]);
            return;
        }
        const int lo = k == 0 ? 0 : chain[static_cast<std::size_t>(k - 1)] + tmin;
        const int hi = k == 0 ? tmax - D : chain[static_cast<std::size_t>(k - 1)] + tmax;
        for (int t = lo; t <= hi && t <= T - D; ++t) {
            chain[static_cast<std::size_t>(k)] = t;
            extend(k + 1);
        }
    };
    extend(0);
    return reach;
}

TEST(BoundPositions, AreExactlyTheReachableStartsAndDrawsStayInside) {
    GeneratorStates states;
    int feasibleCases = 0;
    for (int D = 1; D <= 3; ++D)
        for (int T = D; T <= 11; ++T)
            for (int tmin = 1; tmin <= 4; ++tmin)
                for (int tmax = tmin; tmax <= 5; ++tmax)
                    for (int n = 1; n <= 5; ++n) {
                        const auto reach = reachableStarts(n, D, tmin, tmax, T);
                        const bool feasible = !reach[0].empty();
                        const auto u = [](int v) { return static_cast<std::uint16_t>(v); };
                        std::vector<std::int16_t> lows(static_cast<std::size_t>(n)),
                            highs(lows.size()), starts(lows.size());
                        boundPositions(u(n), u(D), u(tmin), u(tmax), u(T), lows, highs);
                        const std::string where = "D " + std::to_string(D) + " T " +
                                                  std::to_string(T) + " Tmin " +
                                                  std::to_string(tmin) + " Tmax " +
                                                  std::to_string(tmax) + " n " + std::to_string(n);
                        if (D == 1) {
                            // In blocks the closed feasibility rule must agree with enumeration.
                            SeriesGeometry g;
                            g.dwBlocks = static_cast<std::uint32_t>(T);
                            g.wTminBlocks = u(tmin);
                            g.wTmaxBlocks = u(tmax);
                            EXPECT_EQ(blockProblemFeasible(g, u(n)), feasible) << where;
                        }
                        if (!feasible) {
                            EXPECT_FALSE(
                                drawPositions(states, u(n), u(tmin), u(tmax), lows, highs, starts))
                                << where;
                            continue;
                        }
                        ++feasibleCases;
                        for (std::size_t k = 0; k < reach.size(); ++k) {
                            EXPECT_EQ(lows[k], *reach[k].begin()) << where << " k " << k;
                            EXPECT_EQ(highs[k], *reach[k].rbegin()) << where << " k " << k;
                            EXPECT_EQ(reach[k].size(),
                                      static_cast<std::size_t>(highs[k] - lows[k] + 1))
                                << where;
                        }
                        for (int draw = 0; draw < 5; ++draw) {
                            ASSERT_TRUE(
                                drawPositions(states, u(n), u(tmin), u(tmax), lows, highs, starts))
                                << where;
                            for (std::size_t k = 0; k < starts.size(); ++k) {
                                EXPECT_TRUE(reach[k].count(starts[k])) << where << " k " << k;
                                if (k > 0) {
                                    EXPECT_GE(starts[k] - starts[k - 1], tmin) << where;
                                    EXPECT_LE(starts[k] - starts[k - 1], tmax) << where;
                                }
                            }
                        }
                    }
    EXPECT_GT(feasibleCases, 300);
}

class MakeExtSeries : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(createPulses(host, states, 128, 20, 20, table), 1);
        series = getCutOffSeriesHeader(host, 20, 20, 40, 181, 1200, nullptr);
        ASSERT_TRUE(series);
        sequence.assign(40, 0);
        for (std::size_t k = 0; k < sequence.size(); ++k)
            sequence[k] = static_cast<std::uint16_t>(k % 20 + 1);
    }
    std::uint16_t make(std::uint16_t n, std::uint16_t level = 100, std::uint16_t Tmin = 40,
                       std::uint16_t Tmax = 181, std::uint32_t N = 1200, std::uint16_t L = 20,
                       std::uint16_t P = 20) {
        return makeExtSeries(host, states, P, table, L, Tmin, Tmax, N, n, sequence, 128, level,
                             *series);
    }

    RecordingHost host;
    GeneratorStates states;
    EtalonTable table{};
    std::unique_ptr<SeriesHeader> series;
    std::vector<std::uint16_t> sequence;
};

TEST_F(MakeExtSeries, PlacesPulsesOnBlocksWithinTheDistances) {
    for (std::uint16_t n = 6; n <= 30; ++n) {
        ASSERT_EQ(make(n), n);
        ASSERT_TRUE(seriesInvariantsHold(*series, table)) << "n " << n;
        for (std::size_t k = 0; k < n; ++k) {
            EXPECT_EQ(series->lpPositions[k] % 20, 0);
            EXPECT_EQ(series->lpBegins[k], 0) << "level 100 keeps whole pulses";
            EXPECT_EQ(series->lpEnds[k], 19);
            if (k > 0) {
                const int gap = series->lpPositions[k] - series->lpPositions[k - 1];
                EXPECT_GE(gap, 40) << "n " << n;
                EXPECT_LE(gap, 180) << "n " << n;
            }
        }
        EXPECT_LE(series->lpPositions[0], 160) << "n " << n;
        EXPECT_GE(series->lpPositions[n - 1], 1020) << "n " << n;
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(MakeExtSeries, CorrectsEtalonNumbersInTheSeriesAndInTheSequence) {
    sequence[0] = 0;
    sequence[1] = 21;
    sequence[2] = 7;
    sequence[3] = 65535;
    ASSERT_EQ(make(6), 6);
    EXPECT_THAT(std::vector<int>(sequence.begin(), sequence.begin() + 4), ElementsAre(1, 1, 7, 1));
    EXPECT_THAT(
        std::vector<int>(series->lpEtalonNumbers.begin(), series->lpEtalonNumbers.begin() + 4),
        ElementsAre(1, 1, 7, 1));
    EXPECT_EQ(series->lpFirstPulse, &table[0]);
    EXPECT_TRUE(seriesInvariantsHold(*series, table));
}

TEST_F(MakeExtSeries, FragmentsKeepMoreThanTheSavedShareOfTheEnergy) {
    std::fill(sequence.begin(), sequence.end(), 1);  // the rectangle: energy is sample count
    for (std::uint16_t level : {0, 10, 25, 50, 75, 95, 99}) {
        ASSERT_EQ(make(30, level), 30);
        ASSERT_TRUE(seriesInvariantsHold(*series, table)) << "level " << level;
        std::set<int> lengths;
        for (std::size_t k = 0; k < 30; ++k) {
            const int length = series->lpEnds[k] - series->lpBegins[k] + 1;
            EXPECT_GT(length * 100, level * 20) << "level " << level << " pulse " << k;
            lengths.insert(length);
        }
        if (level < 95) {
            EXPECT_GT(lengths.size(), 1u) << "fragments are drawn, level " << level;
        }
    }
}

TEST_F(MakeExtSeries, RefusesAnUnfitCountWithTheValuesOfTheCallAndOfTheSeries) {
    ASSERT_EQ(make(18), 18);
    const SeriesHeader before = *series;
    const std::vector<std::uint16_t> sequenceBefore = sequence;
    const GeneratorStates statesBefore = states;
    for (std::uint16_t n : {5, 31}) {
        host.messages.clear();
        EXPECT_EQ(make(n), 0);
        const std::string text =
            "Несовместимые входные параметры!\n\ndwSeriesSize: 1200 [1200]\n"
            "wImpulseSize: 20 [20]\nwMinPulses: 6 [6]\nwMaxPulses: 30 [30]\nwImpulseQuantity: " +
            std::to_string(n) + "\n\n";
        EXPECT_THAT(host.messages, ElementsAre(RecordedMessage{text, " makeExtSeries ",
                                                               MessageIcon::Exclamation}));
        expectSameSeries(*series, before);
        EXPECT_EQ(sequence, sequenceBefore);
        EXPECT_EQ(states, statesBefore);
    }
}

TEST_F(MakeExtSeries, RefusesRequestsThatWouldDivideByZeroOrOverrun) {
    ASSERT_EQ(make(18), 18);
    const SeriesHeader before = *series;
    const std::vector<std::uint16_t> sequenceBefore = sequence;
    const GeneratorStates statesBefore = states;
    struct Case {
        int line;
        std::function<std::uint16_t()> call;
        std::string text;
    } cases[] = {
        {__LINE__, [&] { return make(18, 100, 0); },
         "Недопустимые параметры серии!\n\nwImpulseSize: 20\nwTmin: 0\nwTmax: 181\n"
         "dwSeriesSize: 1200\n\nНужно: 0 < wImpulseSize, 0 < wTmin <= wTmax, "
         "dwSeriesSize <= 32767.\n"},
        {__LINE__, [&] { return make(18, 100, 40, 0); }, "Недопустимые параметры серии!"},
        {__LINE__, [&] { return make(18, 100, 40, 181, 1200, 0); },
         "Недопустимые параметры серии!"},
        {__LINE__, [&] { return make(18, 100, 182, 181); }, "Недопустимые параметры серии!"},
        {__LINE__, [&] { return make(18, 100, 40, 181, 40000); }, "Недопустимые параметры серии!"},
        // Tmin 50 is three blocks: 22 pulses need 64 blocks of the 60, though 22 <= most 24.
        {__LINE__, [&] { return make(22, 100, 50, 181); },
         "Импульсы не размещаются по блокам!\n\nwImpulseQuantity: 22\ndwBlocks: 60\n"
         "wTminBlocks: 3\nwTmaxBlocks: 9\n\n"},
        {__LINE__, [&] { return make(18, 100, 40, 181, 1200, 20, 0); },
         "Недопустимое число эталонов: 0 (допустимо от 1 до 20)!"},
        {__LINE__, [&] { return make(18, 100, 40, 181, 1200, 20, 21); },
         "Недопустимое число эталонов: 21 (допустимо от 1 до 20)!"},
        {__LINE__, [&] { return make(24, 100, 40, 181, 1000); },  // the record has B 60, not 50
         "Запись серии или последовательность эталонов мала для этих параметров!"},
        {__LINE__,
         [&] {
             return makeExtSeries(host, states, 20, table, 20, 40, 181, 1200, 18,
                                  std::span(sequence).first(17), 128, 100, *series);
         },
         "Запись серии или последовательность эталонов мала для этих параметров!"},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        EXPECT_EQ(c.call(), 0) << c.line;
        ASSERT_EQ(host.messages.size(), 1u) << c.line;
        EXPECT_THAT(host.messages[0].text, StartsWith(c.text)) << c.line;
        EXPECT_EQ(host.messages[0].caption, " makeExtSeries ") << c.line;
        EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation) << c.line;
        expectSameSeries(*series, before);
        EXPECT_EQ(sequence, sequenceBefore) << c.line;
        EXPECT_EQ(states, statesBefore) << c.line;
    }
    SeriesHeader unsized;
    EXPECT_EQ(
        makeExtSeries(host, states, 20, table, 20, 40, 181, 1200, 18, sequence, 128, 100, unsized),
        0);
}

TEST_F(MakeExtSeries, NoWorkingStorageLeavesThePulsesSetAndTheSignalEmpty) {
    ASSERT_EQ(make(18), 18);
    const std::vector<std::int16_t> previousNoisy = series->lpData;
    host.messages.clear();
    {
        ScopedAllocationFailure fail(1);
        EXPECT_EQ(make(12), 0);
    }
    EXPECT_THAT(host.messages, ElementsAre(RecordedMessage{"Нет памяти для PartialEnergy!", "",
                                                           MessageIcon::None}));
    EXPECT_EQ(series->wImpulseQuantity, 12);
    EXPECT_EQ(std::accumulate(series->lpPureData.begin(), series->lpPureData.begin() + 1200, 0L,
                              [](long s, std::int16_t x) { return s + (x != 0); }),
              0L);
    EXPECT_EQ(series->lpData, previousNoisy);
    for (std::size_t k = 1; k < 12; ++k)
        EXPECT_GE(series->lpBlocks[k] - series->lpBlocks[k - 1], 2) << "the chain was drawn";
}

}  // namespace
}  // namespace mirovale
