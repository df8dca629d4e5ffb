#include "core/synthesis/series_synthesis.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/synthesis/pulse_alphabet.h"
#include "core/synthesis/series_allocation.h"
#include "core/synthesis/series_geometry.h"
#include "core/synthesis/series_subsets.h"
#include "series_checks.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

// Every chain of n starts enumerated: the values each start takes over all of them.
std::vector<std::set<int>> reachableStarts(int n, int D, int tmin, int tmax, int T) {
    auto reach = std::vector<std::set<int>>(std::size_t(n));
    auto t = std::vector<int>(std::size_t(n));
    std::function<void(int)> extend = [&](int k) {
        if (k == n) {
            if (t.back() >= T - tmax)
                for (int i = 0; i < n; ++i) reach[std::size_t(i)].insert(t[std::size_t(i)]);
            return;
        }
        const int lo = k ? t[std::size_t(k - 1)] + tmin : 0;
        const int hi = k ? t[std::size_t(k - 1)] + tmax : tmax - D;
        for (t[std::size_t(k)] = lo; t[std::size_t(k)] <= std::min(hi, T - D); ++t[std::size_t(k)])
            extend(k + 1);
    };
    extend(0);
    return reach;
}

TEST(BoundPositions, AreExactlyTheReachableStartsAndDrawsStayInside) {
    GeneratorStates states;
    auto u = [](int v) { return static_cast<std::uint16_t>(v); };
    for (int D = 1; D <= 3; ++D)
        for (int T = D; T <= 11; ++T)
            for (int tmin = 1; tmin <= 4; ++tmin)
                for (int tmax = tmin; tmax <= 5; ++tmax)
                    for (int n = 1; n <= 5; ++n) {
                        SCOPED_TRACE(::testing::Message()
                                     << "D " << D << " T " << T << " Tmin " << tmin << " Tmax "
                                     << tmax << " n " << n);
                        const auto reach = reachableStarts(n, D, tmin, tmax, T);
                        auto lo = std::vector<std::int16_t>(std::size_t(n)), hi = lo, t = lo;
                        boundPositions(u(n), u(D), u(tmin), u(tmax), u(T), lo, hi);
                        if (D == 1) {  // the closed rule of the block problem against enumeration
                            EXPECT_EQ(blockProblemFeasible({1, 1, u(T), u(tmin), u(tmax)}, u(n)),
                                      !reach[0].empty());
                        }
                        const bool drawn = drawPositions(states, u(n), u(tmin), u(tmax), lo, hi, t);
                        ASSERT_EQ(drawn, !reach[0].empty());
                        for (std::size_t k = 0; drawn && k < reach.size(); ++k) {
                            EXPECT_EQ(lo[k], *reach[k].begin());
                            EXPECT_EQ(hi[k], *reach[k].rbegin());
                            EXPECT_EQ(reach[k].size(), std::size_t(hi[k] - lo[k] + 1));
                            EXPECT_TRUE(reach[k].count(t[k]) && (!k || t[k] - t[k - 1] >= tmin));
                        }
                    }
}

class MakeExtSeries : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(createPulses(host, states, 128, 20, 20, table), 1);
        series = getCutOffSeriesHeader(host, 20, 20, 40, 181, 1200, nullptr);
        ASSERT_TRUE(series);
        for (std::size_t k = 0; k < sequence.size(); ++k) sequence[k] = std::uint16_t(k % 20 + 1);
    }
    std::uint16_t make(std::uint16_t n, std::uint16_t Tmin = 40, std::uint16_t Tmax = 181,
                       std::uint32_t N = 1200, std::uint16_t L = 20, std::uint16_t P = 20) {
        return makeExtSeries(host, states, P, table, L, Tmin, Tmax, N, n, sequence, 128, 100,
                             *series);
    }
    RecordingHost host;
    GeneratorStates states;
    EtalonTable table{};
    std::unique_ptr<SeriesHeader> series;
    std::vector<std::uint16_t> sequence = std::vector<std::uint16_t>(40);
};

TEST_F(MakeExtSeries, PlacesWholePulsesOnBlocksWithinTheDistances) {
    // The invariants of every count and geometry: SeriesSynthesisProperty.
    ASSERT_EQ(make(30), 30);
    ASSERT_TRUE(seriesInvariantsHold(*series, table));
    EXPECT_THAT(head(std::vector{series->wTminBlocks, series->wTmaxBlocks}, 2), ElementsAre(2, 9));
    sequence[0] = 0;  // numbers outside 1..P become 1, in the series and in the sequence
    sequence[1] = 21;
    sequence[2] = 7;
    ASSERT_EQ(make(6), 6);
    EXPECT_THAT(head(sequence, 3), ElementsAre(1, 1, 7));
    EXPECT_THAT(head(series->lpEtalonNumbers, 3), ElementsAre(1, 1, 7));
    EXPECT_EQ(series->lpFirstPulse, &table[0]);
    const std::vector<std::uint32_t> subset = {3, 5};  // the current subset is laid in first
    setSubset(subset, 2, 4, 2, series.get());
    ASSERT_EQ(make(6), 6);
    EXPECT_THAT(head(series->lpEtalonNumbers, 6), ElementsAre(1, 3, 5, 3, 5, 3));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(MakeExtSeries, RefusalsChangeNothing) {
    ASSERT_EQ(make(18), 18);
    const auto before = contentOf(*series);
    const auto sequenceBefore = sequence;
    const GeneratorStates statesBefore = states;
    const char* unfit =
        "Несовместимые входные параметры!\n\ndwSeriesSize: 1200 [1200]\nwImpulseSize: 20 [20]\n"
        "wMinPulses: 6 [6]\nwMaxPulses: 30 [30]\nwImpulseQuantity: ";
    auto shortSequence = [&] {
        return makeExtSeries(host, states, 20, table, 20, 40, 181, 1200, 18,
                             std::span(sequence).first(17), 128, 100, *series);
    };
    struct Case {
        int line;
        std::function<std::uint16_t()> call;
        std::string text;
    } cases[] = {
        {__LINE__, [&] { return make(5); }, unfit + std::string("5\n\n")},
        {__LINE__, [&] { return make(31); }, unfit + std::string("31\n\n")},
        {__LINE__, [&] { return make(18, 0); },
         "Недопустимые параметры серии!\n\nwImpulseSize: 20\nwTmin: 0\nwTmax: 181\n"
         "dwSeriesSize: 1200\n\nНужно: 0 < wImpulseSize, 0 < wTmin <= wTmax, "
         "dwSeriesSize <= 32767.\n"},
        {__LINE__, [&] { return make(18, 40, 0); }, "Недопустимые параметры серии!"},
        {__LINE__, [&] { return make(18, 40, 181, 1200, 0); }, "Недопустимые параметры серии!"},
        {__LINE__, [&] { return make(18, 40, 181, 40000); }, "Недопустимые параметры серии!"},
        // Tmin 50 is three blocks: 22 pulses need 64 blocks of the 60, though most is 24.
        {__LINE__, [&] { return make(22, 50); },
         "Импульсы не размещаются по блокам!\n\nwImpulseQuantity: 22\ndwBlocks: 60\n"
         "wTminBlocks: 3\nwTmaxBlocks: 9\n\n"},
        {__LINE__, [&] { return make(18, 40, 181, 1200, 20, 0); },
         "Недопустимое число эталонов: 0 (допустимо от 1 до 20)!"},
        {__LINE__, [&] { return make(24, 40, 181, 1000); },  // a record sized for 60 blocks
         "Запись серии или последовательность эталонов мала для этих параметров!"},
        {__LINE__, shortSequence,
         "Запись серии или последовательность эталонов мала для этих параметров!"},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        EXPECT_EQ(c.call(), 0) << c.line;
        ASSERT_EQ(host.messages.size(), 1u) << c.line;
        EXPECT_THAT(host.messages[0].text, StartsWith(c.text)) << c.line;
        EXPECT_EQ(host.messages[0].caption, " makeExtSeries ") << c.line;
        EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation) << c.line;
        EXPECT_TRUE(contentOf(*series) == before && sequence == sequenceBefore &&
                    states == statesBefore)
            << c.line;
    }
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
    EXPECT_EQ(head(series->lpPureData, 1200), std::vector<int>(1200, 0));
    EXPECT_EQ(series->lpData, previousNoisy);
    EXPECT_GE(series->lpBlocks[11] - series->lpBlocks[0], 22) << "the chain was drawn";
}

}  // namespace
}  // namespace mirovale
