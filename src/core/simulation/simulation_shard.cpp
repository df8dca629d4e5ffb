#include "core/simulation/simulation_shard.h"

#include "core/host/format_text.h"

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
        // "Simulation plan refused: there is no part %u of %u."
        return formatText("План моделирования отклонён: части %u из %u нет.", shard, shards);
    if (shards > total)
        // "Simulation plan refused: its %llu series cannot be split into %u parts."
        return formatText(
            "План моделирования отклонён: его %llu серий нельзя разделить на %u частей.",
            static_cast<unsigned long long>(total), shards);
    return {};
}

}  // namespace mirovale
