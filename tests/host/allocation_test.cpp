#include "core/host/allocation.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace mirovale
