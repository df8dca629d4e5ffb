#include "core/simulation/simulation_shard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace mirovale {
namespace {

TEST(ShardSeries, PartsAreContiguousCoverThePlanOnceAndDifferByAtMostOne) {
    const struct {
        int line;
        std::uint64_t total;
        std::uint32_t shards;
    } cases[] = {
        {__LINE__, 12, 1},
        {__LINE__, 12, 7},
        {__LINE__, 12, 12},
        // The largest plan (65535 pulse numbers, levels and repeats) into the most parts: the
        // edges must not overflow 64 bits.
        {__LINE__, 65535ull * 65535 * 65535, 0xFFFFFFFFu},
    };
    for (const auto& c : cases) {
        std::uint64_t next = 0, least = UINT64_MAX, most = 0;
        for (std::uint64_t k = 1; k <= c.shards; ++k) {
            // Of the large plan, the first three parts and the last three.
            if (c.shards > 100 && k == 4) {
                k = c.shards - 2;
                next = shardSeries(c.total, static_cast<std::uint32_t>(k - 1), c.shards).end;
            }
            const SeriesRange part = shardSeries(c.total, static_cast<std::uint32_t>(k), c.shards);
            EXPECT_EQ(part.begin, next) << c.line << " " << k;
            least = std::min(least, part.end - part.begin);
            most = std::max(most, part.end - part.begin);
            next = part.end;
        }
        EXPECT_EQ(next, c.total) << c.line;
        EXPECT_LE(most - least, 1u) << c.line;
    }
}

}  // namespace
}  // namespace mirovale
