#pragma once

#include <nlohmann/json.hpp>

#include "core/simulation/rest_error_header.h"

// The results files of `mirovale-cli simulate` and `merge`. Both carry the program that wrote
// them, the plan and the generator states at the start and at the end, and the times.

namespace mirovale {

// What a run records about itself besides its tables.
struct RunProvenance {
    nlohmann::ordered_json plan;         // simulationPlanJson as the simulation started
    nlohmann::ordered_json startStates;  // generatorStatesJson as the simulation started
    nlohmann::ordered_json endStates;    // generatorStatesJson as the run ended
    nlohmann::ordered_json times;        // timesJson of the run
};

// The results file of a whole plan: "program", "plan", "record" (restErrorHeaderJson),
// "generators" ("start", "end") and "times".
[[nodiscard]] nlohmann::ordered_json simulationResultJson(const RestErrorHeader& record,
                                                          const RunProvenance& run);

}  // namespace mirovale
