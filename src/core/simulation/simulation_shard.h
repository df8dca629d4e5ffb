#pragma once

#include <cstdint>
#include <string>

namespace mirovale {

// A contiguous run of a plan's series, [begin, end) in plan order: pulse numbers outermost,
// then noise levels, then repeats.
struct SeriesRange {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};

// Part `shard` of `shards` contiguous parts of `total` series, whose lengths differ by at most
// one: [total * (shard - 1) / shards, total * shard / shards), computed without overflow.
// total  : series of the plan
// shard  : 1-based part, 1 <= shard <= shards
// shards : parts, 1 <= shards <= total
[[nodiscard]] SeriesRange shardSeries(std::uint64_t total, std::uint32_t shard,
                                      std::uint32_t shards) noexcept;

// Why a plan of `total` series has no part `shard` of `shards`, or an empty text when it has.
[[nodiscard]] std::string shardProblem(std::uint64_t total, std::uint32_t shard,
                                       std::uint32_t shards);

}  // namespace mirovale
