#include "core/synthesis/series_subsets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/synthesis/series_allocation.h"
#include "series_checks.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Subsets : public ::testing::Test {
protected:
    RecordingHost host;
    std::unique_ptr<SeriesHeader> series =
        getCutOffSeriesHeader(host, 20, 20, 40, 181, 1200, nullptr);
    const std::vector<std::uint32_t> sizes = {3, 65536 + 2, 1};
    const std::vector<std::vector<std::uint32_t>> rows = {{1, 2, 3}, {4, 65536 + 5}, {6}};
};

TEST_F(Subsets, EveryModeLaysTheSubsetFromItsPosition) {
    // Both subset states start at 11357; their first values halved are 7439, 4241, 12222.
    struct Case {
        int line;
        std::uint16_t mode;
        std::vector<std::uint32_t> subset;
        std::uint16_t position, n;
        std::vector<std::uint16_t> expected;  // from six 9s
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
        {__LINE__, 5, {3, 5, 7}, 2, 6, {9, 7, 3, 5, 7, 3}, 1, 0},  // from entry 7439 % 3 = 2
        {__LINE__, 3, {}, 1, 6, {9, 9, 9, 9, 9, 9}, 0, 0},  // no subset: 3 and 5 would divide
        {__LINE__, 5, {}, 1, 6, {9, 9, 9, 9, 9, 9}, 0, 0},
    };
    for (const Case& c : cases) {
        setSubset(c.subset, std::uint32_t(c.subset.size()), c.mode, c.position, series.get());
        GeneratorStates s, expected;
        std::vector<std::uint16_t> sequence(6, 9);
        applySubset(s, c.n, sequence, *series);
        EXPECT_EQ(sequence, c.expected) << c.line;
        for (int i = 0; i < c.startDraws; ++i) nextUniform(expected.wSubsetStartSeed);
        for (int i = 0; i < c.pickDraws; ++i) nextUniform(expected.wSubsetPickSeed);
        EXPECT_EQ(s, expected) << c.line;
    }
    // Only what fits the series is kept, and the size says so: modes 3 and 5 pick from it.
    series->wMaxPulses = 2;
    setSubset(std::vector<std::uint32_t>{65536 + 7, 2, 3}, 3, 3, 1, series.get());
    EXPECT_THAT(head(series->lpSubset, series->wSubsetSize), ElementsAre(7, 2));
}

TEST_F(Subsets, TablesCopyTheSelectionAndPickTheCurrentRow) {
    for (auto [current, subset] : {std::pair{2u, std::vector{4, 5}}, {0u, {6}}, {4u, {6}}}) {
        ASSERT_EQ(addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 3, 4, 5, current, 3, 2,
                                                      series.get()),
                  1);
        EXPECT_EQ(head(series->lpSubset, series->wSubsetSize), subset) << current;
        ASSERT_EQ(
            addSelectedAlphabetsToSeriesHeader(host, sizes, rows, 3, 4, 5, current, series.get()),
            1);
        EXPECT_EQ(head(series->lpAlphabet, series->wCurrentAlphabetSize), subset) << current;
        EXPECT_EQ(series->wCurrentAlphabet, current == 2 ? 2 : 3);
    }
    EXPECT_THAT(series->selectedSubsetSize, ElementsAre(3, 2, 1, 0));
    EXPECT_THAT(head(series->selectedAlphabetList[1], 2), ElementsAre(4, 5));
    EXPECT_THAT(head(std::vector{series->wSubsets, series->wMaxSubsets, series->wMaxSubsetLength,
                                 series->wSubsetMode, series->wSubsetPosition},
                     5),
                ElementsAre(3, 4, 5, 3, 2));
    // A smaller request reuses the table; a row longer than K widens it instead of overrunning.
    const std::int16_t* table = series->selectedSubsetSize.data();
    ASSERT_EQ(
        addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 1, 2, 3, 1, 4, 1, series.get()), 1);
    EXPECT_EQ(series->selectedSubsetSize.data(), table);
    ASSERT_EQ(
        addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 3, 6, 2, 1, 4, 1, series.get()), 1);
    EXPECT_THAT(head(std::vector{series->wMaxSubsets, series->wMaxSubsetLength}, 2),
                ElementsAre(6, 3));
    // The whole alphabet is kept even beyond wMaxPulses: lpAlphabet has a row's room.
    series->wMaxPulses = 1;
    ASSERT_EQ(addSelectedAlphabetsToSeriesHeader(host, sizes, rows, 3, 4, 5, 1, series.get()), 1);
    EXPECT_THAT(head(series->lpAlphabet, series->wCurrentAlphabetSize), ElementsAre(1, 2, 3));
    EXPECT_EQ(
        addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 0, 4, 5, 1, 4, 1, series.get()), 0);
    EXPECT_EQ(addSelectedAlphabetsToSeriesHeader(host, sizes, rows, 3, 4, 5, 1, nullptr), 1);
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(Subsets, NoMemoryLeavesNoTable) {
    const char* subsetCaption = " addSomeSelectedSubsetToSeriesHeader ";
    const char* alphabetCaption = " addSelectedAlphabetsToSeriesHeader ";
    struct Case {
        int line;
        bool alphabets;
        int k;
        const char* text;
    } cases[] = {
        {__LINE__, false, 1, "Нет памяти для lpSeriesHeader->selectedSubsetSize!"},
        {__LINE__, false, 2, "Нет памяти для lpSeriesHeader->selectedSubsetList!"},
        {__LINE__, true, 1, "Нет памяти для lpSeriesHeader->selectedAlphabetSize!"},
        {__LINE__, true, 2, "Нет памяти для lpSeriesHeader->selectedAlphabetList!"},
    };
    for (const Case& c : cases) {
        auto call = [&](std::uint32_t R) {
            return c.alphabets ? addSelectedAlphabetsToSeriesHeader(host, sizes, rows, 3, R, 4, 1,
                                                                    series.get())
                               : addSomeSelectedSubsetToSeriesHeader(host, sizes, rows, 3, R, 4, 1,
                                                                     4, 1, series.get());
        };
        ASSERT_EQ(call(3), 1) << c.line;  // a table too small for the next request
        host.messages.clear();
        ScopedAllocationFailure fail(c.k);
        EXPECT_EQ(call(8), 0) << c.line;
        EXPECT_THAT(host.messages,
                    ElementsAre(RecordedMessage{
                        c.text, c.alphabets ? alphabetCaption : subsetCaption, MessageIcon::None}))
            << c.line;
        const SeriesHeader& s = *series;
        EXPECT_TRUE(c.alphabets ? s.selectedAlphabetSize.empty() &&
                                      s.selectedAlphabetList.empty() && s.lpAlphabet.empty() &&
                                      !s.wMaxAlphabets && !s.wAlphabets && !s.wCurrentAlphabetSize
                                : s.selectedSubsetSize.empty() && s.selectedSubsetList.empty() &&
                                      !s.wMaxSubsets && !s.wSubsets && !s.wMaxSubsetLength)
            << c.line;
    }
}

}  // namespace
}  // namespace mirovale
