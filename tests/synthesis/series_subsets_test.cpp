#include "core/synthesis/series_subsets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/synthesis/series_allocation.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

std::vector<int> first(const std::vector<std::int16_t>& v, std::size_t count) {
    return {v.begin(), v.begin() + static_cast<long>(count)};
}

class Subsets : public ::testing::Test {
protected:
    void SetUp() override {
        series = getCutOffSeriesHeader(host, 20, 20, 40, 181, 1200, nullptr);
        ASSERT_TRUE(series);
    }
    RecordingHost host;
    GeneratorStates states;
    std::unique_ptr<SeriesHeader> series;
};

TEST_F(Subsets, EveryModeLaysTheSubsetFromItsPosition) {
    // The random draws come from the subset states, both starting at 11357: the first values
    // halved are 7439, 4241, 12222.
    struct Case {
        int line;
        std::uint16_t mode;
        std::vector<std::uint32_t> subset;
        std::uint16_t position, n;
        std::vector<std::uint16_t> expected;  // from a sequence of six 9s
        int startDraws, pickDraws;
    } cases[] = {
        {__LINE__, 4, {3, 5}, 2, 6, {9, 3, 5, 3, 5, 3}, 0, 0},
        {__LINE__, 4, {3, 5}, 2, 3, {9, 3, 5, 9, 9, 9}, 0, 0},  // nothing at or beyond n
        {__LINE__, 4, {3, 5}, 0, 4, {3, 5, 3, 5, 9, 9}, 0, 0},  // position 0 is taken as 1
        {__LINE__, 2, {3, 5, 7}, 2, 6, {9, 3, 5, 7, 9, 9}, 0, 0},
        {__LINE__, 2, {3, 5}, 8, 6, {9, 9, 9, 9, 9, 9}, 0, 0},           // beyond the series
        {__LINE__, 1, {1, 2, 3, 4, 5}, 3, 6, {9, 9, 1, 2, 3, 4}, 0, 0},  // no room: at p, cut
        {__LINE__, 1, {3, 5}, 1, 6, {9, 9, 9, 9, 3, 5}, 1, 0},           // room 5: 7439 % 5 = 4
        {__LINE__, 3, {3, 5, 7}, 4, 6, {9, 9, 9, 7, 7, 3}, 0, 3},
        {__LINE__, 5, {3, 5, 7}, 2, 6, {9, 7, 3, 5, 7, 3}, 1, 0},  // starts at entry 7439 % 3
        {__LINE__, 3, {}, 1, 6, {9, 9, 9, 9, 9, 9}, 0, 0},  // no subset: modes 3, 5 would divide
        {__LINE__, 5, {}, 1, 6, {9, 9, 9, 9, 9, 9}, 0, 0},
    };
    for (const Case& c : cases) {
        setSubset(c.subset, static_cast<std::uint32_t>(c.subset.size()), c.mode, c.position,
                  series.get());
        GeneratorStates s;
        std::vector<std::uint16_t> sequence(6, 9);
        applySubset(s, c.n, sequence, *series);
        EXPECT_EQ(sequence, c.expected) << c.line;
        GeneratorStates expected;
        for (int i = 0; i < c.startDraws; ++i) nextUniform(expected.wSubsetStartSeed);
        for (int i = 0; i < c.pickDraws; ++i) nextUniform(expected.wSubsetPickSeed);
        EXPECT_EQ(s, expected) << c.line;
    }
}

TEST_F(Subsets, SetSubsetKeepsOnlyWhatFitsTheSeries) {
    const std::vector<std::uint32_t> entries = {65536 + 7, 2, 3, 4};
    EXPECT_EQ(setSubset(entries, 4, 2, 1, nullptr), 1);
    series->wMaxPulses = 3;
    EXPECT_EQ(setSubset(entries, 4, 2, 5, series.get()), 1);
    EXPECT_EQ(series->wSubsetSize, 3) << "a size beyond the entries kept would be read";
    EXPECT_THAT(first(series->lpSubset, 3), ElementsAre(7, 2, 3));
    EXPECT_EQ(series->wSubsetMode, 2);
    EXPECT_EQ(series->wSubsetPosition, 5);
}

TEST_F(Subsets, SubsetTableCopiesTheSelectionAndPicksTheCurrentRow) {
    const std::vector<std::uint32_t> sizes = {3, 65536 + 2, 1};
    const std::vector<std::vector<std::uint32_t>> rows = {{1, 2, 3}, {4, 65536 + 5}, {6}};
    struct Case {
        int line;
        std::uint32_t current;
        std::vector<int> subset;
    } cases[] = {
        {__LINE__, 2, {4, 5}},
        {__LINE__, 0, {6}},  // 0 and beyond the count select the last
        {__LINE__, 4, {6}},
        {__LINE__, 1, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 3, 4, 5, c.current, 3, 2,
                                                      series.get()),
                  1);
        EXPECT_THAT(first(series->lpSubset, series->wSubsetSize), ElementsAreArray(c.subset))
            << c.line;
        EXPECT_EQ(series->wSubsetMode, 3) << c.line;
        EXPECT_EQ(series->wSubsetPosition, 2) << c.line;
    }
    EXPECT_EQ(series->wSubsets, 3);
    EXPECT_EQ(series->wMaxSubsets, 4);
    EXPECT_EQ(series->wMaxSubsetLength, 5);
    EXPECT_THAT(series->selectedSubsetSize, ElementsAre(3, 2, 1, 0));
    EXPECT_THAT(first(series->selectedSubsetList[1], 2), ElementsAre(4, 5));

    // A smaller request reuses the table; a larger one replaces it.
    const std::int16_t* table = series->selectedSubsetSize.data();
    ASSERT_EQ(
        addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 1, 2, 3, 1, 4, 1, series.get()), 1);
    EXPECT_EQ(series->selectedSubsetSize.data(), table);
    EXPECT_EQ(series->wSubsets, 1);
    EXPECT_EQ(series->wMaxSubsets, 4);
    // A row longer than the columns asked for widens the table instead of overrunning it.
    ASSERT_EQ(
        addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 3, 6, 2, 1, 4, 1, series.get()), 1);
    EXPECT_EQ(series->wMaxSubsets, 6);
    EXPECT_EQ(series->wMaxSubsetLength, 3);
    EXPECT_THAT(first(series->selectedSubsetList[0], 3), ElementsAre(1, 2, 3));

    EXPECT_EQ(
        addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 0, 4, 5, 1, 4, 1, series.get()), 0);
    EXPECT_EQ(addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 3, 4, 5, 1, 4, 1, nullptr), 1);
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(Subsets, AlphabetTableCopiesTheSelectionAndPicksTheCurrentRow) {
    const std::vector<std::uint32_t> sizes = {2, 4};
    const std::vector<std::vector<std::uint32_t>> rows = {{1, 2}, {3, 4, 5, 6}};
    series->wMaxPulses = 3;  // the whole alphabet is kept all the same: lpAlphabet has the room
    for (std::uint32_t current : {0u, 2u, 3u}) {
        ASSERT_EQ(
            addSelectedAlphabetsToSeriesHeader(host, sizes, rows, 2, 3, 4, current, series.get()),
            1);
        EXPECT_EQ(series->wCurrentAlphabet, 2) << current;
        EXPECT_THAT(first(series->lpAlphabet, series->wCurrentAlphabetSize),
                    ElementsAre(3, 4, 5, 6))
            << current;
    }
    ASSERT_EQ(addSelectedAlphabetsToSeriesHeader(host, sizes, rows, 2, 3, 4, 1, series.get()), 1);
    EXPECT_EQ(series->wCurrentAlphabet, 1);
    EXPECT_THAT(first(series->lpAlphabet, series->wCurrentAlphabetSize), ElementsAre(1, 2));
    EXPECT_EQ(series->wAlphabets, 2);
    EXPECT_EQ(series->wMaxAlphabets, 3);
    EXPECT_EQ(series->wMaxAlphabetLength, 4);
    EXPECT_THAT(series->selectedAlphabetSize, ElementsAre(2, 4, 0));
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(Subsets, NoMemoryLeavesNoTable) {
    const std::vector<std::uint32_t> sizes = {2};
    const std::vector<std::vector<std::uint32_t>> rows = {{1, 2}};
    struct Case {
        int line;
        bool alphabets;
        int k;
        const char* text;
        const char* caption;
    } cases[] = {
        {__LINE__, false, 1, "Нет памяти для lpSeriesHeader->selectedSubsetSize!",
         " addSomeSelectedSubsetToSeriesHeader "},
        {__LINE__, false, 2, "Нет памяти для lpSeriesHeader->selectedSubsetList!",
         " addSomeSelectedSubsetToSeriesHeader "},
        {__LINE__, true, 1, "Нет памяти для lpSeriesHeader->selectedAlphabetSize!",
         " addSelectedAlphabetsToSeriesHeader "},
        {__LINE__, true, 2, "Нет памяти для lpSeriesHeader->selectedAlphabetList!",
         " addSelectedAlphabetsToSeriesHeader "},
    };
    for (const Case& c : cases) {
        auto call = [&](std::uint32_t R) {
            return c.alphabets ? addSelectedAlphabetsToSeriesHeader(host, sizes, rows, 1, R, 4, 1,
                                                                    series.get())
                               : addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 1, R, 4, 1,
                                                                     4, 1, series.get());
        };
        ASSERT_EQ(call(2), 1) << c.line;  // a table too small for the next request
        host.messages.clear();
        {
            ScopedAllocationFailure fail(c.k);
            EXPECT_EQ(call(8), 0) << c.line;
        }
        EXPECT_THAT(host.messages,
                    ElementsAre(RecordedMessage{c.text, c.caption, MessageIcon::None}))
            << c.line;
        if (c.alphabets) {
            EXPECT_TRUE(series->selectedAlphabetSize.empty() &&
                        series->selectedAlphabetList.empty() && series->lpAlphabet.empty())
                << c.line;
            EXPECT_EQ(series->wMaxAlphabets + series->wAlphabets + series->wCurrentAlphabetSize, 0)
                << c.line;
        } else {
            EXPECT_TRUE(series->selectedSubsetSize.empty() && series->selectedSubsetList.empty())
                << c.line;
            EXPECT_EQ(series->wMaxSubsets + series->wSubsets + series->wMaxSubsetLength, 0)
                << c.line;
        }
    }
}

}  // namespace
}  // namespace mirovale
