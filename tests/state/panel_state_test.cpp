#include "core/state/panel_state.h"

#include <gtest/gtest.h>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"

namespace mirovale {
namespace {

// Appending rows up to the capacity, arrays made once and kept through the repaints, are the
// golden panel scripts' (tests/data/cli subset_panel_*, alphabet_panel*).
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
