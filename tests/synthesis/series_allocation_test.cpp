#include "core/synthesis/series_allocation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/synthesis/pulse_alphabet.h"
#include "core/synthesis/series_geometry.h"
#include "core/synthesis/series_subsets.h"
#include "series_checks.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class SeriesAllocation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(createPulses(host, states, 128, 20, 20, table), 1);
        sequence.assign(120, 0);
        for (std::size_t k = 0; k < sequence.size(); ++k)
            sequence[k] = static_cast<std::uint16_t>(k * 7 % 20 + 1);
    }
    std::unique_ptr<SeriesHeader> make(std::unique_ptr<SeriesHeader> old, std::uint32_t N,
                                       std::uint16_t n, std::uint16_t Tmin = 40,
                                       std::uint16_t P = 20, std::uint16_t level = 75) {
        return getCutOffSeries(host, states, P, table, 20, Tmin, 181, N, n, sequence, 128, level,
                               std::move(old));
    }

    RecordingHost host;
    GeneratorStates states;
    EtalonTable table{};
    std::vector<std::uint16_t> sequence;
};

TEST_F(SeriesAllocation, EveryNoMemoryPathReportsAndDropsTheRecord) {
    struct Case {
        int line;
        bool withOld;  // an old record of 600 samples and 10 etalons that must grow
        int k;         // request to fail
        const char* text;
    } cases[] = {
        {__LINE__, false, 1, "Нет памяти для newSeriesHeader!"},
        {__LINE__, false, 2, "Нет памяти для newSeriesHeader->lpPureData!"},
        {__LINE__, false, 3, "Нет памяти для newSeriesHeader->lpVectorPureData!"},
        {__LINE__, false, 4, "Нет памяти для newSeriesHeader->lpPulsesList!"},
        {__LINE__, true, 1, "Нет памяти для newSeriesHeader->lpPureData!"},
        {__LINE__, true, 2, "Нет памяти для newSeriesHeader->lpVectorPureData!"},
        {__LINE__, true, 3, "Нет памяти для newSeriesHeader->lpPulsesList!"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<SeriesHeader> old;
        if (c.withOld) old = getCutOffSeriesHeader(host, 10, 20, 40, 181, 600, nullptr);
        host.messages.clear();
        std::unique_ptr<SeriesHeader> got;
        {
            ScopedAllocationFailure fail(c.k);
            got = make(std::move(old), 1200, 18);
        }
        EXPECT_EQ(got, nullptr) << c.line;
        EXPECT_THAT(
            host.messages,
            ElementsAre(RecordedMessage{c.text, " getCutOffSeriesHeader ", MessageIcon::None},
                        RecordedMessage{"Не могу выделить память для lpSeriesHeader!",
                                        " getCutOffSeries ", MessageIcon::Exclamation}))
            << c.line;
    }
    // Nothing more is asked for than these four requests.
    host.messages.clear();
    {
        ScopedAllocationFailure fail(5);
        EXPECT_NE(getCutOffSeriesHeader(host, 20, 20, 40, 181, 1200, nullptr), nullptr);
    }
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(SeriesAllocation, BuffersGrowNeverShrinkAndCarryTheSubsetAndTables) {
    auto series = make(nullptr, 1200, 18, 40, 10);
    ASSERT_TRUE(series);
    const std::vector<std::uint32_t> subset = {4, 9, 2};
    setSubset(subset, 3, SUBSET_COMPLETE, 2, series.get());
    const std::vector<std::uint32_t> sizes = {2};
    const std::vector<std::vector<std::uint32_t>> rows = {{5, 6}};
    ASSERT_EQ(addSelectedAlphabetsToSeriesHeader(host, sizes, rows, 1, 4, 20, 1, series.get()), 1);
    const SeriesHeader* record = series.get();
    const std::int16_t* signal = series->lpPureData.data();
    const std::int16_t* blocks = series->lpVectorPureData.data();

    struct Step {
        int line;
        std::uint32_t N;
        std::uint16_t Tmin, P;
        bool reused;  // no allocation request at all
        std::uint32_t maxSamples;
        std::uint16_t maxPulses, maxEtalons;
        std::uint32_t maxBlocks;
    } steps[] = {
        {__LINE__, 1200, 40, 10, true, 1200, 30, 10, 60},
        {__LINE__, 600, 40, 10, true, 1200, 30, 10, 60},      // shorter: same buffers
        {__LINE__, 2400, 40, 20, false, 2400, 60, 20, 120},   // longer and more etalons
        {__LINE__, 1200, 10, 20, false, 2400, 119, 20, 120},  // more pulses: samples kept
        {__LINE__, 200, 40, 5, true, 2400, 119, 20, 120},
    };
    for (const Step& s : steps) {
        AllocationProbe::failAt(0);
        series = getCutOffSeriesHeader(host, s.P, 20, s.Tmin, 181, s.N, std::move(series));
        ASSERT_TRUE(series) << s.line;
        EXPECT_EQ(AllocationProbe::requests() == 0, s.reused) << s.line;
        EXPECT_EQ(series.get(), record) << s.line;
        EXPECT_EQ(series->dwMaxSeriesSize, s.maxSamples) << s.line;
        EXPECT_EQ(series->wMaxPulsesSpace, s.maxPulses) << s.line;
        EXPECT_EQ(series->wMaxEtalons, s.maxEtalons) << s.line;
        EXPECT_EQ(series->dwMaxBlocks, s.maxBlocks) << s.line;
        EXPECT_EQ(series->dwSeriesSize, s.N) << s.line;
        EXPECT_EQ(series->wEtalons, s.P) << s.line;
        EXPECT_GE(series->lpPureData.size(), s.maxSamples) << s.line;
        EXPECT_GE(series->lpVectorData.size(), std::size_t{s.maxBlocks} * 20) << s.line;
        EXPECT_GE(series->lpTupleLast.size(), s.maxPulses) << s.line;
        if (s.reused) {
            EXPECT_EQ(series->lpPureData.data(), signal) << s.line;
            EXPECT_EQ(series->lpVectorPureData.data(), blocks) << s.line;
        }
        signal = series->lpPureData.data();
        blocks = series->lpVectorPureData.data();
        EXPECT_EQ(series->wSubsetSize, 3) << s.line;
        EXPECT_EQ(series->wSubsetMode, SUBSET_COMPLETE) << s.line;
        EXPECT_EQ(series->wSubsetPosition, 2) << s.line;
        EXPECT_THAT(std::vector<int>(series->lpSubset.begin(), series->lpSubset.begin() + 3),
                    ElementsAre(4, 9, 2))
            << s.line;
        EXPECT_EQ(series->wAlphabets, 1) << s.line;
        EXPECT_THAT(std::vector<int>(series->lpAlphabet.begin(), series->lpAlphabet.begin() + 2),
                    ElementsAre(5, 6))
            << s.line;
        for (const PulseHeader* p : series->lpPulsesList) EXPECT_EQ(p, nullptr) << s.line;
    }
    AllocationProbe::failAt(0);
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(SeriesAllocation, ARecycledLargerRecordMakesTheSameSeriesAsAFreshOne) {
    auto large = make(nullptr, 3000, 40, 30);
    ASSERT_TRUE(large);
    for (std::uint16_t level : {100, 60}) {
        const GeneratorStates start = states;
        const std::vector<std::uint16_t> sequenceStart = sequence;
        auto fresh = make(nullptr, 1210, 17, 40, 20, level);
        const std::vector<std::uint16_t> sequenceFresh = sequence;
        states = start;
        sequence = sequenceStart;
        large = make(std::move(large), 1210, 17, 40, 20, level);
        ASSERT_TRUE(fresh && large);
        EXPECT_EQ(large->dwMaxSeriesSize, 3000u);
        expectSameSeries(*large, *fresh);
        EXPECT_TRUE(seriesInvariantsHold(*large, table));
        EXPECT_EQ(sequence, sequenceFresh);
    }
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(SeriesAllocation, SeriesFollowTheGeneratorStates) {
    GeneratorStates first;
    GeneratorStates second;
    states = first;
    auto a = make(nullptr, 1200, 18);
    first = states;
    states = second;
    auto b = make(nullptr, 1200, 18);
    ASSERT_TRUE(a && b);
    expectSameSeries(*a, *b);  // two fresh states make the same series
    auto c = make(nullptr, 1200, 18);
    ASSERT_TRUE(c);
    EXPECT_NE(std::vector<std::int16_t>(a->lpPureData.begin(), a->lpPureData.begin() + 1200),
              std::vector<std::int16_t>(c->lpPureData.begin(), c->lpPureData.begin() + 1200))
        << "the next series differs";
}

TEST_F(SeriesAllocation, RandomCountIsDrawnFromTheFeasibleRange) {
    EXPECT_EQ(getRandomCountSeries(host, states, 20, table, 20, 40, 181, 10, 0, sequence, 128, 100,
                                   nullptr),
              nullptr);
    EXPECT_THAT(host.messages, IsEmpty());
    EXPECT_EQ(states.wPulseCountSeed, GeneratorStates{}.wPulseCountSeed);

    std::map<int, int> counts;
    std::unique_ptr<SeriesHeader> series;
    for (int i = 0; i < 500; ++i) {
        std::uint16_t replay = states.wPulseCountSeed;
        const int expected = 6 + (nextUniform(replay) >> 2) % 25;
        series = getRandomCountSeries(host, states, 20, table, 20, 40, 181, 1200, 99, sequence, 128,
                                      100, std::move(series));
        ASSERT_TRUE(series);
        ASSERT_EQ(series->wImpulseQuantity, expected) << "draw " << i;
        ++counts[expected];
    }
    EXPECT_EQ(counts.size(), 25u);
    EXPECT_EQ(counts.begin()->first, 6);
    EXPECT_EQ(counts.rbegin()->first, 30);
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(SeriesAllocation, RefusedSizesKeepTheOldRecord) {
    auto series = make(nullptr, 1200, 18);
    ASSERT_TRUE(series);
    SeriesHeader* record = series.get();
    const SeriesHeader before = *series;
    const char* captions[] = {" getCutOffSeriesHeader ", " getCutOffSeries ",
                              " getRandomCountSeries "};
    for (std::uint16_t Tmin : {0, 200}) {
        for (int f = 0; f < 3; ++f) {
            host.messages.clear();
            if (f == 0)
                series = getCutOffSeriesHeader(host, 20, 20, Tmin, 181, 1200, std::move(series));
            if (f == 1) series = make(std::move(series), 1200, 18, Tmin);
            if (f == 2)
                series = getRandomCountSeries(host, states, 20, table, 20, Tmin, 181, 1200, 0,
                                              sequence, 128, 100, std::move(series));
            ASSERT_EQ(series.get(), record) << captions[f];
            ASSERT_EQ(host.messages.size(), 1u) << captions[f];
            EXPECT_THAT(host.messages[0].text, StartsWith("Недопустимые параметры серии!"));
            EXPECT_EQ(host.messages[0].caption, captions[f]);
            expectSameSeries(*series, before);
        }
    }
}

// Random requests, each into the record of the one before: every accepted series keeps the
// record's invariants, and a request is refused exactly when its count or block chain cannot be.
TEST(SeriesSynthesisProperty, EveryAcceptedSeriesKeepsTheInvariants) {
    constexpr int kRequests = 1500;
    RecordingHost host;
    GeneratorStates states;
    const std::uint16_t lengths[] = {6, 13, 20, 32};
    std::map<std::uint16_t, EtalonTable> tables;
    for (std::uint16_t L : lengths) ASSERT_EQ(createPulses(host, states, 128, 20, L, tables[L]), 1);
    std::mt19937 rng(20240611);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto u16 = [](int v) { return static_cast<std::uint16_t>(v); };
    std::unique_ptr<SeriesHeader> series;
    int accepted = 0;
    for (int r = 0; r < kRequests; ++r) {
        const std::uint16_t L = lengths[pick(0, 3)];
        const std::uint16_t Tmin = u16(pick(1, 120));
        const std::uint16_t Tmax = u16(pick(Tmin, Tmin + 200));
        const auto N = static_cast<std::uint32_t>(pick(0, 4000));
        const std::uint16_t P = u16(pick(1, 20));
        const std::uint16_t level = u16(pick(0, 3) == 0 ? 100 : pick(0, 100));
        const SeriesGeometry g = seriesGeometry(L, Tmin, Tmax, N);
        const std::uint16_t n = u16(
            g.wMaxPulses >= g.wMinPulses ? pick(g.wMinPulses - 1, g.wMaxPulses + 1) : pick(0, 3));
        std::vector<std::uint16_t> sequence(std::max<std::size_t>(n, 1));
        for (auto& e : sequence) e = u16(pick(0, 22));
        const int mode = pick(0, 5);
        if (series && mode > 0) {
            std::vector<std::uint32_t> subset(static_cast<std::size_t>(pick(1, 6)));
            for (auto& e : subset) e = static_cast<std::uint32_t>(pick(0, 22));
            setSubset(subset, static_cast<std::uint32_t>(subset.size()), u16(mode),
                      u16(pick(0, n + 1)), series.get());
        }
        const std::string where = "request " + std::to_string(r) + ": L " + std::to_string(L) +
                                  " Tmin " + std::to_string(Tmin) + " Tmax " +
                                  std::to_string(Tmax) + " N " + std::to_string(N) + " n " +
                                  std::to_string(n);
        host.messages.clear();
        series = getCutOffSeries(host, states, P, tables[L], L, Tmin, Tmax, N, n, sequence, 128,
                                 level, std::move(series));
        ASSERT_TRUE(series) << where;
        const bool feasible = n >= g.wMinPulses && n <= g.wMaxPulses && blockProblemFeasible(g, n);
        if (!feasible) {
            ASSERT_EQ(host.messages.size(), 1u) << where;
            EXPECT_EQ(host.messages[0].caption, " makeExtSeries ") << where;
            continue;
        }
        ++accepted;
        ASSERT_THAT(host.messages, IsEmpty()) << where;
        ASSERT_EQ(series->wImpulseQuantity, n) << where;
        ASSERT_TRUE(seriesInvariantsHold(*series, tables[L])) << where;
        for (std::size_t k = 0; k < n; ++k) {
            ASSERT_EQ(series->lpEtalonNumbers[k], sequence[k]) << where;
            ASSERT_LE(sequence[k], P) << where;
            const auto& x = tables[L][static_cast<std::size_t>(sequence[k] - 1)].lpData;
            std::int64_t total = 0, kept = 0;
            for (int j = 0; j < L; ++j) {
                total += x[static_cast<std::size_t>(j)] * x[static_cast<std::size_t>(j)];
                if (j >= series->lpBegins[k] && j <= series->lpEnds[k])
                    kept += x[static_cast<std::size_t>(j)] * x[static_cast<std::size_t>(j)];
            }
            if (level == 100 || total == 0) {
                EXPECT_EQ(kept, total) << where << " pulse " << k;
            } else {
                EXPECT_GT(kept, total * level / 100) << where << " pulse " << k;
            }
        }
    }
    EXPECT_GT(accepted, kRequests / 3);
}

}  // namespace
}  // namespace mirovale
