#include "core/simulation/simulation_shard.h"

namespace mirovale {
namespace {

// total * k / shards for k <= shards: with total = a * shards + b, it is a * k + b * k / shards,
// and b * k < shards^2 fits 64 bits because shards is a 32-bit number.
std::uint64_t partEdge(std::uint64_t total, std::uint32_t k, std::uint32_t shards) noexcept {
    return total / shards * k + total % shards * k / shards;
}

}  // namespace

SeriesRange shardSeries(std::uint64_t total, std::uint32_t shard, std::uint32_t shards) noexcept {
    return {partEdge(total, shard - 1u, shards), partEdge(total, shard, shards)};
}

std::string shardProblem(std::uint64_t total, std::uint32_t shard, std::uint32_t shards) {
    if (shards == 0 || shard == 0 || shard > shards)
        return "Simulation plan refused: there is no part " + std::to_string(shard) + " of " +
               std::to_string(shards) + ".";
    if (shards > total)
        return "Simulation plan refused: its " + std::to_string(total) +
               " series cannot be split into " + std::to_string(shards) + " parts.";
    return {};
}

}  // namespace mirovale
