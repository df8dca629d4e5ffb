#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/host/host.h"
#include "core/simulation/rest_error_header.h"
#include "core/simulation/stat_cutoff_quorvel.h"
#include "core/synthesis/random.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The series a plan is simulated on and the length of the simulation's working arrays.
struct PlanShape {
    std::uint32_t N = 0;             // series length in samples
    std::uint16_t L = 0;             // etalon length in samples
    std::uint16_t wTmin = 0;         // least start-to-start distance
    std::uint16_t wTmax = 0;         // greatest start-to-start distance
    std::uint16_t wArrayPulses = 0;  // pulses the working arrays hold (the series' wMaxPulses)
};

// Why a plan cannot be simulated, or an empty text when it can. Checks, in this order: sizes
// no series can be built with; required etalons (at least one, each within the alphabet);
// at least one pulse number, one noise level and one repeat; noise levels within 0..32767; and
// every pulse number within least..most of the series, with a feasible block layout, and within
// the working arrays.
// pulses   : the plan's pulse numbers, unclipped
// levels   : the plan's noise levels, unclipped
// repeats  : repeats per cell
// shape    : series and working arrays
// settings : alphabet size and required etalons
[[nodiscard]] std::string simulationPlanProblem(std::span<const std::int64_t> pulses,
                                                std::span<const std::int64_t> levels,
                                                std::uint64_t repeats, const PlanShape& shape,
                                                const SimulationSettings& settings);

// The plan of " Statistical Simulation" as the program state holds it once the parameter
// dialogs are accepted.
struct SimulationPlan {
    std::uint32_t dwSeriesLength = 1200;  // N
    std::uint16_t wEtalonLength = 20;     // L
    std::uint16_t wTmin = 40;
    std::uint16_t wTmax = 181;
    std::uint16_t wPulsesSteps = 0;        // pulse numbers simulated
    std::uint16_t wMinPulses = 0;          // first pulse number
    std::uint16_t wPulsesIncrement = 1;    // step between pulse numbers
    std::uint16_t wNoiseSteps = 29;        // noise levels simulated
    std::uint16_t wInitialNoiseLevel = 0;  // first noise level
    std::uint16_t wNoiseIncrement = 5;     // step between noise levels
    std::uint16_t wRepeats = 100;          // repeats per cell
};

// The pulse numbers and noise levels of a plan, computed wide so nothing wraps before the check.
[[nodiscard]] std::vector<std::int64_t> planPulseNumbers(const SimulationPlan& plan);
[[nodiscard]] std::vector<std::int64_t> planNoiseLevels(const SimulationPlan& plan);

// Prepares and runs a statistical simulation: checks the plan as a whole (refusing it with one
// message and changing nothing), sizes the series record (getCutOffSeriesHeader), obtains and
// initialises the error record, and runs statCutoffQuorvel.
// plan, settings, states, wNoiseSeed, times, control : as for statCutoffQuorvel
// series : the current series; resized, then replaced by the simulated ones
// record : the current error record; reused or replaced (nullptr after a failure to get one)
// returns 1 when the simulation ran to its end, 0 after a reported failure or a cancel
int runStatisticalSimulation(Host& host, const SimulationPlan& plan,
                             const SimulationSettings& settings, GeneratorStates& states,
                             std::uint16_t& wNoiseSeed, std::unique_ptr<SeriesHeader>& series,
                             std::unique_ptr<RestErrorHeader>& record, SimulationTimes& times,
                             const SimulationControl& control = {});

}  // namespace mirovale
