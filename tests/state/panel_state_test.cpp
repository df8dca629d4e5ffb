#include "core/state/panel_state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

TEST(AddSelectionToArray, AppendsRowsUntilTheCapacityThenKeepsTheCount) {
    std::vector<std::uint32_t> sizes(3, 0);
    std::vector<std::vector<std::uint32_t>> rows(3, std::vector<std::uint32_t>(11, 0));
    const std::vector<std::uint32_t> first{4, 7, 9};
    const std::vector<std::uint32_t> second{2};

    std::uint32_t stored = addSelectionToArray(first, 3, sizes, rows, 0, 3);
    stored = addSelectionToArray(second, 1, sizes, rows, stored, 3);
    EXPECT_EQ(stored, 2u);
    EXPECT_THAT(sizes, ElementsAre(3, 1, 0));
    EXPECT_THAT(rows[0], ElementsAre(4, 7, 9, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(rows[1][0], 2);

    // A capacity of 2 counts as full here: the array and the count stay as they are.
    EXPECT_EQ(addSelectionToArray(first, 3, sizes, rows, 2, 2), 2u);
    EXPECT_THAT(sizes, ElementsAre(3, 1, 0));
    EXPECT_EQ(rows[2][0], 0);
}

TEST(PanelArrays, AreMadeOnceAndSurviveASecondPreparation) {
    RecordingHost host;
    SubsetPanel panel;
    ASSERT_TRUE(makeSubsetArrays(host, panel));
    EXPECT_EQ(panel.dwSubsetCapacity, 10u);
    EXPECT_EQ(panel.selectedSubset.size(), 20u);
    EXPECT_EQ(panel.dwSubsetArrayCapacity, 10u);
    ASSERT_EQ(panel.selectedSubsetArray.size(), 10u);
    EXPECT_EQ(panel.selectedSubsetArray[0].size(), 11u);

    panel.selectedSubset[0] = 5;
    panel.dwSelectedSubsetSize = 1;
    ASSERT_TRUE(makeSubsetArrays(host, panel));
    EXPECT_THAT(panel.subset(), ElementsAre(5)) << "made arrays are not remade";
    EXPECT_TRUE(host.messages.empty());

    freeSubsetPanel(panel);
    EXPECT_EQ(panel.dwSubsetCapacity, 0u);
    EXPECT_EQ(panel.dwSubsetArrayCapacity, 0u);
    EXPECT_TRUE(panel.subset().empty());
}

TEST(PanelArrays, EachFailedAllocationNamesItsArrayAndLeavesNothing) {
    const struct {
        int line;
        int request;
        const char* subsetText;
        const char* alphabetText;
    } cases[] = {
        {__LINE__, 1, "Нет памяти для selectedSubset!", "Нет памяти для selectedAlphabet!"},
        {__LINE__, 2, "Нет памяти для selectedSubsetArraySize!",
         "Нет памяти для selectedAlphabetsSize!"},
        {__LINE__, 3, "Нет памяти для possibleSubsetArrayRect!",
         "Нет памяти для possibleAlphabetArrayRect!"},
    };
    for (const auto& c : cases) {
        RecordingHost host;
        SubsetPanel subsets;
        AlphabetPanel alphabets;
        {
            ScopedAllocationFailure fail(c.request);
            EXPECT_FALSE(makeSubsetArrays(host, subsets)) << c.line;
        }
        {
            ScopedAllocationFailure fail(c.request);
            EXPECT_FALSE(makeAlphabetArrays(host, alphabets)) << c.line;
        }
        ASSERT_EQ(host.messages.size(), 2u) << c.line;
        EXPECT_EQ(host.messages[0], (RecordedMessage{c.subsetText, "", MessageIcon::None}))
            << c.line;
        EXPECT_EQ(host.messages[1].text, c.alphabetText) << c.line;
        EXPECT_FALSE(subsets.made()) << c.line;
        EXPECT_EQ(subsets.dwSubsetArrayCapacity, 0u) << c.line;
        EXPECT_FALSE(alphabets.made()) << c.line;
    }
}

}  // namespace
}  // namespace mirovale
