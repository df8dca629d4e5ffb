#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "core/state/program_state.h"

// What a results file says about where its tables came from, so that a run can be repeated
// and checked: the program, the whole plan and settings, the generator states and the times.

namespace mirovale {

// "mirovale-cli 0.1", followed by " (revision R)" when the build knows its source revision.
[[nodiscard]] std::string versionText();

// The program that wrote a results file: name, version and, when known, source revision.
[[nodiscard]] nlohmann::ordered_json programJson();

// The plan and settings the state's statistical simulation runs with, read as it starts: task
// and series type with their names, series length, Tmin, Tmax, etalon length, amplitude, saved
// energy levels, required etalons, the series' current subset, stored subsets and alphabets,
// pulse numbers, noise levels and repeats. Two runs with equal plans and equal generator
// states at the start make the same series.
[[nodiscard]] nlohmann::ordered_json simulationPlanJson(const ProgramState& state);

// Every generator state of the workbench: the synthesis generators, the noise generator and
// the etalon-sequence generator.
[[nodiscard]] nlohmann::ordered_json generatorStatesJson(const ProgramState& state);

// Start and end as UTC times "YYYY-MM-DDThh:mm:ssZ" and the elapsed time in seconds.
// startTime, endTime : seconds since the epoch
// elapsed            : seconds, kept to milliseconds
[[nodiscard]] nlohmann::ordered_json timesJson(std::int64_t startTime, std::int64_t endTime,
                                               double elapsed);

}  // namespace mirovale
