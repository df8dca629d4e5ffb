#include "core/synthesis/series_allocation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <random>
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
        for (std::size_t k = 0; k < sequence.size(); ++k)
            sequence[k] = std::uint16_t(k * 7 % 20 + 1);
    }
    std::unique_ptr<SeriesHeader> make(std::unique_ptr<SeriesHeader> old, std::uint32_t N,
                                       std::uint16_t n, std::uint16_t Tmin = 40,
                                       std::uint16_t level = 75) {
        return getCutOffSeries(host, states, 20, table, 20, Tmin, 181, N, n, sequence, 128, level,
                               std::move(old));
    }
    RecordingHost host;
    GeneratorStates states;
    EtalonTable table{};
    std::vector<std::uint16_t> sequence = std::vector<std::uint16_t>(120);
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
        {__LINE__, true, 3, "Нет памяти для newSeriesHeader->lpPulsesList!"},
    };
    for (const Case& c : cases) {
        auto old = c.withOld ? getCutOffSeriesHeader(host, 10, 20, 40, 181, 600, nullptr) : nullptr;
        host.messages.clear();
        ScopedAllocationFailure fail(c.k);
        EXPECT_EQ(make(std::move(old), 1200, 18), nullptr) << c.line;
        EXPECT_THAT(
            host.messages,
            ElementsAre(RecordedMessage{c.text, " getCutOffSeriesHeader ", MessageIcon::None},
                        RecordedMessage{"Не могу выделить память для lpSeriesHeader!",
                                        " getCutOffSeries ", MessageIcon::Exclamation}))
            << c.line;
    }
}

TEST_F(SeriesAllocation, BuffersGrowNeverShrinkAndCarryTheSubsetAndTables) {
    auto series =
        getCutOffSeries(host, states, 10, table, 20, 40, 181, 1200, 18, sequence, 128, 75, nullptr);
    const std::vector<std::uint32_t> subset = {4, 9, 2}, sizes = {2};
    const std::vector<std::vector<std::uint32_t>> rows = {{5, 6}};
    setSubset(subset, 3, SUBSET_COMPLETE, 2, series.get());
    ASSERT_EQ(addSelectedAlphabetsToSeriesHeader(host, sizes, rows, 1, 4, 20, 1, series.get()), 1);
    const SeriesHeader* record = series.get();
    struct Step {
        int line;
        std::uint32_t N;
        std::uint16_t Tmin, P;
        bool reused;                  // not one allocation request
        std::vector<int> capacities;  // dwMaxSeriesSize, wMaxPulsesSpace, wMaxEtalons, dwMaxBlocks
    } steps[] = {
        {__LINE__, 600, 40, 10, true, {1200, 30, 10, 60}},      // shorter: the same buffers
        {__LINE__, 2400, 40, 20, false, {2400, 60, 20, 120}},   // longer, more etalons
        {__LINE__, 1200, 10, 20, false, {2400, 119, 20, 120}},  // more pulses: samples kept
        {__LINE__, 200, 40, 5, true, {2400, 119, 20, 120}},
    };
    for (const Step& s : steps) {
        const std::int16_t* signal = series->lpPureData.data();
        AllocationProbe::failAt(0);
        series = getCutOffSeriesHeader(host, s.P, 20, s.Tmin, 181, s.N, std::move(series));
        ASSERT_EQ(series.get(), record) << s.line;
        EXPECT_EQ(AllocationProbe::requests() == 0, s.reused) << s.line;
        EXPECT_TRUE(!s.reused || series->lpPureData.data() == signal) << s.line;
        EXPECT_EQ((std::vector<int>{int(series->dwMaxSeriesSize), series->wMaxPulsesSpace,
                                    series->wMaxEtalons, int(series->dwMaxBlocks)}),
                  s.capacities)
            << s.line;
        EXPECT_THAT(head(series->lpSubset, series->wSubsetSize), ElementsAre(4, 9, 2)) << s.line;
        EXPECT_THAT(head(std::vector{series->wSubsetMode, series->wSubsetPosition}, 2),
                    ElementsAre(SUBSET_COMPLETE, 2));
        EXPECT_THAT(head(series->lpAlphabet, series->wCurrentAlphabetSize), ElementsAre(5, 6));
        for (const PulseHeader* p : series->lpPulsesList) EXPECT_EQ(p, nullptr) << s.line;
    }
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(SeriesAllocation, SeriesDependOnlyOnTheGeneratorStates) {
    auto large = make(nullptr, 3000, 40);
    const GeneratorStates start = states;
    const auto sequenceStart = sequence;
    auto fresh = make(nullptr, 1210, 17);
    auto next = make(nullptr, 1210, 17);
    states = start;
    sequence = sequenceStart;
    large = make(std::move(large), 1210, 17);  // recycled, three times larger
    ASSERT_TRUE(fresh && next && large);
    EXPECT_EQ(large->dwMaxSeriesSize, 3000u);
    EXPECT_EQ(contentOf(*large), contentOf(*fresh));
    EXPECT_TRUE(seriesInvariantsHold(*large, table));
    EXPECT_NE(contentOf(*next), contentOf(*fresh)) << "the next series differs";
    states = {};  // no hidden state: two fresh workbenches make the same series
    auto a = make(nullptr, 1200, 18);
    states = {};
    EXPECT_EQ(contentOf(*make(nullptr, 1200, 18)), contentOf(*a));
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(SeriesAllocation, RandomCountIsDrawnFromTheFeasibleRange) {
    // No pulse fits: N = 10 with L = 20, and N + Tmin below L, which must not wrap round.
    for (std::uint16_t Tmin : {40, 5})
        EXPECT_EQ(getRandomCountSeries(host, states, 20, table, 20, Tmin, 181, 10, 0, sequence, 128,
                                       100, nullptr),
                  nullptr);
    EXPECT_THAT(host.messages, IsEmpty());
    std::map<int, int> counts;
    std::unique_ptr<SeriesHeader> series;
    for (int i = 0; i < 500; ++i) {
        series = getRandomCountSeries(host, states, 20, table, 20, 40, 181, 1200, 99, sequence, 128,
                                      100, std::move(series));
        ++counts[series->wImpulseQuantity];
    }
    EXPECT_EQ(counts.size(), 25u);  // every count of 6..30, and no other
    EXPECT_EQ(counts.begin()->first + counts.rbegin()->first, 36);
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(SeriesAllocation, RefusedSizesKeepTheOldRecord) {
    auto series = make(nullptr, 1200, 18);
    const SeriesHeader* record = series.get();
    const auto before = contentOf(*series);
    for (std::uint16_t Tmin : {0, 200}) {
        series = getCutOffSeriesHeader(host, 20, 20, Tmin, 181, 1200, std::move(series));
        series = make(std::move(series), 1200, 18, Tmin);
        series = getRandomCountSeries(host, states, 20, table, 20, Tmin, 181, 1200, 0, sequence,
                                      128, 100, std::move(series));
        ASSERT_EQ(series.get(), record);
        EXPECT_EQ(contentOf(*series), before);
    }
    ASSERT_EQ(host.messages.size(), 6u);
    const char* captions[] = {" getCutOffSeriesHeader ", " getCutOffSeries ",
                              " getRandomCountSeries "};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_THAT(host.messages[i].text, StartsWith("Недопустимые параметры серии!"));
        EXPECT_EQ(host.messages[i].caption, captions[i % 3]);
    }
}

// Random requests, each into the record of the one before (its etalon length changing too):
// a request is refused exactly when its count or block chain cannot be, and every accepted
// series keeps the record's invariants with fragments that keep more than their energy share.
TEST(SeriesSynthesisProperty, EveryAcceptedSeriesKeepsTheInvariants) {
    constexpr int kRequests = 1500;
    RecordingHost host;
    GeneratorStates states;
    std::map<int, EtalonTable> tables;
    for (std::uint16_t L : {6, 13, 20, 32})
        ASSERT_EQ(createPulses(host, states, 128, 20, L, tables[L]), 1);
    std::mt19937 rng(20240611);
    auto pick = [&](int lo, int hi) {
        return std::uint16_t(std::uniform_int_distribution(lo, hi)(rng));
    };
    std::unique_ptr<SeriesHeader> series;
    int accepted = 0;
    for (int r = 0; r < kRequests; ++r) {
        const std::uint16_t L = std::array{6, 13, 20, 32}[pick(0, 3)], Tmin = pick(1, 120);
        const std::uint16_t Tmax = pick(Tmin, Tmin + 200), P = pick(1, 20), N = pick(0, 4000);
        const std::uint16_t level = pick(0, 3) ? pick(0, 100) : 100, mode = pick(0, 5);
        const SeriesGeometry g = seriesGeometry(L, Tmin, Tmax, N);
        const std::uint16_t n =
            g.wMaxPulses >= g.wMinPulses ? pick(g.wMinPulses - 1, g.wMaxPulses + 1) : pick(0, 3);
        std::vector<std::uint16_t> sequence(std::max<std::size_t>(n, 1));
        for (auto& e : sequence) e = pick(0, 22);
        if (series && mode) {
            std::vector<std::uint32_t> subset(pick(1, 6));
            for (auto& e : subset) e = pick(0, 22);
            setSubset(subset, std::uint32_t(subset.size()), mode, pick(0, n + 1), series.get());
        }
        SCOPED_TRACE(::testing::Message() << "request " << r << ": L " << L << " Tmin " << Tmin
                                          << " Tmax " << Tmax << " N " << N << " n " << n);
        host.messages.clear();
        series = getCutOffSeries(host, states, P, tables[L], L, Tmin, Tmax, N, n, sequence, 128,
                                 level, std::move(series));
        ASSERT_TRUE(series);
        if (!(n >= g.wMinPulses && n <= g.wMaxPulses && blockProblemFeasible(g, n))) {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].caption, " makeExtSeries ");
            continue;
        }
        ++accepted;
        ASSERT_THAT(host.messages, IsEmpty());
        ASSERT_EQ(series->wImpulseQuantity, n);
        ASSERT_TRUE(seriesInvariantsHold(*series, tables[L]));
        for (std::size_t k = 0; k < n; ++k) {
            ASSERT_TRUE(series->lpEtalonNumbers[k] == sequence[k] && sequence[k] <= P);
            std::int64_t total = 0, kept = 0;
            for (int j = 0; j < L; ++j) {
                const std::int64_t x = tables[L][sequence[k] - 1u].lpData[std::size_t(j)];
                total += x * x;
                kept += j >= series->lpBegins[k] && j <= series->lpEnds[k] ? x * x : 0;
            }
            EXPECT_TRUE(level == 100 || total == 0 ? kept == total : kept > total * level / 100);
        }
    }
    EXPECT_GT(accepted, kRequests / 3);
}

}  // namespace
}  // namespace mirovale
