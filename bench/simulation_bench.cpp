// The default statistical simulation of joint detection on an unknown number of cut-off pulses
// (saved levels 75/75, pulses 6 to 30, 29 noise levels from 0 in steps of 5, all 20 etalons
// required): the workbench's driver on 1 and 2 threads with 100 repeats, and the one-loop
// reference driver with a few repeats, whose time per series (per_series) scales by the
// series count, once with the workbench's processing routines and once with their literal
// transcriptions.
#include <benchmark/benchmark.h>

#include "core/host/recording_host.h"
#include "core/processing/reference/pulse_detection.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/simulation_command.h"
#include "core/shell/startup.h"
#include "core/simulation/sequential_stat_cutoff_quorvel.h"
#include "core/simulation/simulation_plan.h"
#include "core/synthesis/series_allocation.h"

namespace mirovale {
namespace {

// The literal routine of the default plan's processing (task 4 on series type 8).
int literalDetection(Host& host, const EtalonTable& etalons, const ProcessingRequest& q,
                     ChainsHeader* chains, SeriesHeader* series) {
    return reference::detectUnfixedPulses(host, etalons, q.etalonList, q.wTmin, q.wTmax,
                                          q.wSavedEnergyProcessing, chains, series);
}

// A started workbench set to the default simulation with `repeats` repeats.
struct DefaultSimulation {
    RecordingHost host;
    ProgramState state;
    SimulationPlan plan;

    explicit DefaultSimulation(std::uint16_t repeats) {
        startWorkbench(host, state);
        handleCommand(host, state, IDM_UNFIXED_CUTOFF);
        handleCommand(host, state, IDM_JOINT_DETECTION);
        state.wSavedEnergyMaking = state.wSavedEnergyProcessing = 75;
        state.wMinPulses = 6;
        state.wPulsesSteps = 25;
        state.wPulsesIncrement = 1;
        state.wInitialNoiseLevel = 0;
        state.wNoiseSteps = 29;
        state.wNoiseIncrement = 5;
        state.wRepeats = repeats;
        plan = simulationPlanOf(state);
    }
    [[nodiscard]] std::int64_t series() const {
        return std::int64_t{plan.wPulsesSteps} * plan.wNoiseSteps * plan.wRepeats;
    }
    int runParallel(unsigned threads) {
        SimulationControl control;
        control.threads = threads;
        return runStatisticalSimulation(host, plan, simulationSettingsOf(state), state.generators,
                                        state.wNoiseSeed, state.lpSeriesHeader,
                                        state.lpRestErrorHeader, state.simulationTimes, control);
    }
    // The preparation runStatisticalSimulation makes, then the reference driver.
    int runReference(reference::SeriesProcessor process) {
        const SimulationSettings settings = simulationSettingsOf(state);
        state.lpSeriesHeader =
            getCutOffSeriesHeader(host, settings.wEtalonCount, plan.wEtalonLength, plan.wTmin,
                                  plan.wTmax, plan.dwSeriesLength, std::move(state.lpSeriesHeader));
        state.lpRestErrorHeader =
            getRestErrHeader(host, plan.wPulsesSteps, plan.wNoiseSteps, plan.wRepeats,
                             std::move(state.lpRestErrorHeader));
        if (!state.lpSeriesHeader || !state.lpRestErrorHeader) return 0;
        if (!initRestErrHeader(host, plan.wPulsesSteps, plan.wMinPulses, plan.wPulsesIncrement,
                               plan.wNoiseSteps, plan.wInitialNoiseLevel, plan.wNoiseIncrement,
                               plan.wRepeats, state.lpRestErrorHeader.get()))
            return 0;
        return reference::statCutoffQuorvel(
            host, state.lpRestErrorHeader.get(), settings, state.generators, state.wNoiseSeed,
            state.lpSeriesHeader, state.simulationTimes, {}, process);
    }
};

void report(benchmark::State& bench, std::int64_t series, int complete) {
    if (complete != 1) bench.SkipWithError("the simulation did not run to its end");
    bench.SetItemsProcessed(series * static_cast<std::int64_t>(bench.iterations()));
    bench.counters["series"] = static_cast<double>(series);
    bench.counters["per_series"] = benchmark::Counter(
        static_cast<double>(series),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_DefaultSimulation(benchmark::State& bench) {
    const auto threads = static_cast<unsigned>(bench.range(0));
    int complete = 0;
    std::int64_t series = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        DefaultSimulation simulation(100);
        series = simulation.series();
        bench.ResumeTiming();
        complete = simulation.runParallel(threads);
        benchmark::DoNotOptimize(simulation.state.lpRestErrorHeader.get());
    }
    report(bench, series, complete);
}
BENCHMARK(BM_DefaultSimulation)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// range(0): repeats; range(1): 1 for the literal routines, 0 for the workbench's.
void BM_DefaultSimulationReference(benchmark::State& bench) {
    const auto repeats = static_cast<std::uint16_t>(bench.range(0));
    const bool literal = bench.range(1) != 0;
    if (processingRoutine(4, 8, AlphabetTaskRule::Detect) != ProcessingRoutine::DetectUnfixedPulses)
        bench.SkipWithError("the default plan no longer runs detectUnfixedPulses");
    int complete = 0;
    std::int64_t series = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        DefaultSimulation simulation(repeats);
        series = simulation.series();
        bench.ResumeTiming();
        complete = simulation.runReference(literal ? &literalDetection : &processSeries);
        benchmark::DoNotOptimize(simulation.state.lpRestErrorHeader.get());
    }
    report(bench, series, complete);
}
BENCHMARK(BM_DefaultSimulationReference)
    ->ArgNames({"repeats", "literal"})
    ->Args({2, 0})
    ->Args({1, 1})
    ->UseRealTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace mirovale
