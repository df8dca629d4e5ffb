// The default statistical simulation of every (task, series type) pair the driver dispatches
// on: pulse numbers over the series' range, 29 noise levels from 0 in steps of 5, 100 repeats,
// all 20 etalons required, saved energy levels of 75 for cut-off series and 100 otherwise, and for
// the tuple pairs three stored subsets of three etalons, the first current.
// Simulation/<task>/<type>/threads:<n> runs the workbench's driver; Reference/<task>/<type>
// runs the one-loop reference driver with the literal routines on one repeat, whose time per
// series (per_series) scales by the series count. bench/compare-simulations makes the table.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/dialogs/settings_dialogs.h"
#include "core/host/recording_host.h"
#include "core/processing/reference/alphabet_recognition.h"
#include "core/processing/reference/pulse_detection.h"
#include "core/processing/reference/pulse_recognition.h"
#include "core/processing/reference/tuple_detection.h"
#include "core/processing/reference/tuple_recognition_unfixed.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/simulation_command.h"
#include "core/shell/startup.h"
#include "core/shell/task_commands.h"
#include "core/simulation/sequential_stat_cutoff_quorvel.h"
#include "core/simulation/simulation_plan.h"
#include "core/state/panel_state.h"
#include "core/synthesis/series_allocation.h"

namespace mirovale {
namespace {

struct Pair {
    std::uint16_t task;
    std::uint16_t type;
};

// The pairs of the driver's dispatch: every series type of the menu with the tasks its menu
// reaches, and the tuple routines with an unknown number on their series type.
constexpr Pair kPairs[] = {{1, 1},  {1, 2},   {1, 4},   {1, 8},   {2, 1},  {2, 2}, {2, 4},
                           {2, 8},  {2, 40},  {4, 1},   {4, 2},   {4, 4},  {4, 8}, {4, 36},
                           {4, 40}, {36, 36}, {36, 40}, {40, 36}, {40, 40}};

// The literal transcription of the routine processSeries runs.
int literalProcessing(Host& host, const EtalonTable& etalons, const ProcessingRequest& q,
                      ChainsHeader* chains, SeriesHeader* series) {
    namespace ref = reference;
    std::uint32_t noDebugging = 0;
    std::uint32_t& debugging = q.dwDebuggingRepeat != nullptr ? *q.dwDebuggingRepeat : noDebugging;
    switch (processingRoutine(q.wProcessingTask, q.wSeriesType, q.alphabetRule)) {
        using enum ProcessingRoutine;
        case DetectUnfixedPulses:
            return ref::detectUnfixedPulses(host, etalons, q.etalonList, q.wTmin, q.wTmax,
                                            q.wSavedEnergyProcessing, chains, series);
        case DetectFixedPulses:
            return ref::detectFixedPulses(host, etalons, q.fixedEtalonList, q.wTmin, q.wTmax,
                                          q.wSavedEnergyProcessing, chains, series);
        case RecognizeUnfixedPulses:
            return ref::recognizeUnfixedPulses(host, etalons, q.etalonList, q.wTmin, q.wTmax,
                                               q.wSavedEnergyProcessing, chains, series);
        case RecognizeFixedPulses:
            return ref::recognizeFixedPulses(host, etalons, q.etalonList, q.wTmin, q.wTmax,
                                             q.wSavedEnergyProcessing, chains, series);
        case TuplesDetection:
            return ref::TuplesDetection(host, etalons, q.subset, q.wSubsetProceeding, q.wTmin,
                                        q.wTmax, q.wSavedEnergyProcessing, chains, series,
                                        debugging);
        case DetectFixedTuples:
            return ref::detectFixedTuples(host, etalons, q.subset, q.wSubsetProceeding, q.wTmin,
                                          q.wTmax, q.wSavedEnergyProcessing, chains, series);
        case RecognizeUnfixedTuples:
            return ref::recognizeUnfixedTuples(host, etalons, q.subsetSizes, q.subsetRows,
                                               q.dwSubsets, q.wSubsetProceeding, q.wTmin, q.wTmax,
                                               q.wSavedEnergyProcessing, chains, series, debugging);
        case RecognizeFixedTuples:
            return ref::recognizeFixedTuples(host, etalons, q.subsetSizes, q.subsetRows,
                                             q.dwSubsets, q.wSubsetProceeding, q.wTmin, q.wTmax,
                                             q.wSavedEnergyProcessing, chains, series);
        case RecognizeAlphabetUnfixed:
            return ref::recognizeAlphabetUnfixed(host, etalons, q.wTmin, q.wTmax,
                                                 q.wSavedEnergyProcessing, chains, series);
        case RecognizeAlphabetFixed:
            return ref::recognizeAlphabetFixed(host, etalons, q.wTmin, q.wTmax,
                                               q.wSavedEnergyProcessing, chains, series);
    }
    return 0;
}

// A started workbench set to the default simulation of one pair with `repeats` repeats.
struct DefaultSimulation {
    RecordingHost host;
    ProgramState state;
    SimulationPlan plan;

    DefaultSimulation(Pair pair, std::uint16_t repeats) {
        startWorkbench(host, state);
        handleCommand(host, state, seriesTypeCommand(pair.type));
        // The start-up's whole series left the levels at 100; the dialogs' defaults for cut-off
        // series are 75.
        if (pair.type == 2 || pair.type == 8)
            state.wSavedEnergyMaking = state.wSavedEnergyProcessing = 75;
        state.wTaskType = state.wProcessingTask = pair.task;
        if (pair.task == 36 || pair.task == 40 || pair.type == 36 || pair.type == 40) {
            laySubsets();
        }
        state.wPulsesSteps = static_cast<std::uint16_t>(state.wMaxPulses - state.wMinPulses + 1);
        state.wPulsesIncrement = 1;
        state.wInitialNoiseLevel = 0;
        state.wNoiseSteps = 29;
        state.wNoiseIncrement = 5;
        state.wRepeats = repeats;
        plan = simulationPlanOf(state);
    }

    // Subsets 1-2-3, 4-5-6 and 7-8-9 stored, the first current, as the subset panel and
    // " Subset settings " leave them.
    void laySubsets() {
        SubsetPanel& panel = state.subsetPanel;
        if (!makeSubsetArrays(host, panel)) return;
        const std::vector<std::uint32_t> rows[] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
        std::copy(rows[0].begin(), rows[0].end(), panel.selectedSubset.begin());
        panel.dwSelectedSubsetSize = 3;
        for (const auto& row : rows) {
            panel.dwSubsetArraySize = addSelectionToArray(
                row, 3, panel.selectedSubsetArraySize, panel.selectedSubsetArray,
                panel.dwSubsetArraySize, panel.dwSubsetArrayCapacity);
        }
        panel.dwCurrentSubset = 1;
        host.queueAnswer({SubsetSettingsDialog::kId, DialogResult::Ok, {}, {}});
        handleCommand(host, state, IDM_SUBSET_SETTINGS);
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

void report(benchmark::State& bench, const DefaultSimulation& simulation, std::int64_t series,
            int complete) {
    if (complete != 1) bench.SkipWithError("the simulation did not run to its end");
    bench.SetItemsProcessed(series * static_cast<std::int64_t>(bench.iterations()));
    bench.counters["series"] = static_cast<double>(series);
    bench.counters["per_series"] = benchmark::Counter(
        static_cast<double>(series),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    bench.counters["levels"] =
        simulation.state.wSavedEnergyMaking * 1000.0 + simulation.state.wSavedEnergyProcessing;
}

void runSimulation(benchmark::State& bench, Pair pair, unsigned threads) {
    int complete = 0;
    std::int64_t series = 0;
    std::unique_ptr<DefaultSimulation> simulation;
    for (auto _ : bench) {
        bench.PauseTiming();
        simulation = std::make_unique<DefaultSimulation>(pair, 100);
        series = simulation->series();
        bench.ResumeTiming();
        complete = simulation->runParallel(threads);
        benchmark::DoNotOptimize(simulation->state.lpRestErrorHeader.get());
    }
    report(bench, *simulation, series, complete);
}

void runReference(benchmark::State& bench, Pair pair) {
    int complete = 0;
    std::int64_t series = 0;
    std::unique_ptr<DefaultSimulation> simulation;
    for (auto _ : bench) {
        bench.PauseTiming();
        simulation = std::make_unique<DefaultSimulation>(pair, 1);
        series = simulation->series();
        bench.ResumeTiming();
        complete = simulation->runReference(&literalProcessing);
        benchmark::DoNotOptimize(simulation->state.lpRestErrorHeader.get());
    }
    report(bench, *simulation, series, complete);
}

std::string pairName(const char* kind, Pair pair) {
    std::string name(kind);
    name.append("/")
        .append(std::to_string(pair.task))
        .append("/")
        .append(std::to_string(pair.type));
    return name;
}

const bool registered = [] {
    for (const Pair pair : kPairs) {
        for (const unsigned threads : {1u, 2u}) {
            benchmark::RegisterBenchmark(
                (pairName("Simulation", pair) + "/threads:" + std::to_string(threads)).c_str(),
                [=](benchmark::State& s) { runSimulation(s, pair, threads); })
                ->UseRealTime()
                ->Iterations(1)
                ->Unit(benchmark::kSecond);
        }
        benchmark::RegisterBenchmark(pairName("Reference", pair).c_str(),
                                     [=](benchmark::State& s) { runReference(s, pair); })
            ->UseRealTime()
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    }
    return true;
}();

}  // namespace
}  // namespace mirovale
