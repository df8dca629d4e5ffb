#include "core/host/allocation.h"

#include <gtest/gtest.h>

#include "core/host/format_text.h"

namespace mirovale {
namespace {

TEST(AllocationProbe, FailsExactlyTheArmedRequestAndLeavesTheVectorUnchanged) {
    std::vector<int> v{1, 2, 3};
    ScopedAllocationFailure guard(2);
    EXPECT_TRUE(tryAssign(v, 5, 7));
    EXPECT_FALSE(tryAssign(v, 9, 8));
    EXPECT_EQ(v, std::vector<int>(5, 7));
    EXPECT_TRUE(tryAssign(v, 2, 1));
    EXPECT_EQ(AllocationProbe::requests(), 3);
}

TEST(AllocationProbe, ReportsARealAllocationFailure) {
    EXPECT_FALSE(tryAllocate([] { throw std::bad_alloc(); }));
    EXPECT_TRUE(tryAllocate([] {}));
}

TEST(FormatText, FormatsLikePrintf) {
    EXPECT_EQ(formatText("dwSeriesSize: %d [%d]\n", 1200, 0), "dwSeriesSize: 1200 [0]\n");
    EXPECT_EQ(formatText("%.5g", 0.25), "0.25");
    EXPECT_EQ(formatText("%s", ""), "");
}

}  // namespace
}  // namespace mirovale
