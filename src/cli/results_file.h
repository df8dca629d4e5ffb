#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/simulation/cell_sums.h"
#include "core/simulation/rest_error_header.h"
#include "core/simulation/simulation_shard.h"

// The results files of `mirovale-cli simulate` and `merge`. Both carry the program that wrote
// them, the plan and the generator states at the start and at the end; a whole plan's file
// holds the error record, a part's file the exact sums its repeats added to each cell.

namespace mirovale {

// What a run records about itself besides its tables.
struct RunProvenance {
    nlohmann::ordered_json plan;         // simulationPlanJson as the simulation started
    nlohmann::ordered_json startStates;  // generatorStatesJson as the simulation started
    nlohmann::ordered_json endStates;    // generatorStatesJson as the run ended
    nlohmann::ordered_json times;        // timesJson of the run
};

// One part of a plan's series and what its repeats added up to.
struct PlanPart {
    std::uint32_t shard = 1;   // 1-based part
    std::uint32_t shards = 1;  // parts of the plan
    SeriesRange series;        // the part's series, in plan order
    std::uint64_t planSeries = 0;
    std::uint16_t pulses = 0;    // pulse numbers of the plan (columns of the sums)
    std::uint16_t levels = 0;    // noise levels of the plan (rows of the sums)
    std::vector<CellSums> sums;  // levels * pulses cells, level j and pulse i at j * pulses + i
};

// The results file of a whole plan: "program", "plan", "record" (restErrorHeaderJson),
// "generators" ("start", "end") and "times".
[[nodiscard]] nlohmann::ordered_json simulationResultJson(const RestErrorHeader& record,
                                                          const RunProvenance& run);

// The results file of one part: "program", "plan", "shard" (index, count, firstSeries,
// endSeries, planSeries), "sums" (restoring, detection and misrecognized tables of levels rows
// of pulses entries), "generators" and "times".
[[nodiscard]] nlohmann::ordered_json simulationPartJson(const PlanPart& part,
                                                        const RunProvenance& run);

// Writes `text` to the file at `path`, replacing it only once the whole text is written; false
// when it cannot be written.
[[nodiscard]] bool writeTextFile(const std::string& path, const std::string& text);

}  // namespace mirovale
