#include "core/simulation/sequential_stat_cutoff_quorvel.h"

#include "core/simulation/simulation_run.h"
#include "core/synthesis/series_allocation.h"

namespace mirovale::reference {
namespace {

// Everything the loops share.
struct Run {
    Host& host;
    RestErrorHeader& record;
    const SimulationSettings& settings;
    GeneratorStates& states;
    std::uint16_t& wNoiseSeed;
    std::unique_ptr<SeriesHeader>& series;
    const SimulationControl& control;
    Workspace& work;
    SeriesProcessor process;
};

// One repeat: make, add noise, process, measure. False when no series could be had.
bool runRepeat(Run& run, std::uint16_t n, std::int16_t level, CellSums& sums) {
    const SimulationSettings& s = run.settings;
    Workspace& work = run.work;
    run.series = getCutOffSeries(run.host, run.states, s.wEtalonCount, *s.etalonTable, work.L,
                                 work.wTmin, work.wTmax, work.N, n, work.schedule.sequence,
                                 s.wAmplitude, s.wSavedEnergyMaking, std::move(run.series));
    if (!run.series) return false;
    addNoise(level, *run.series, run.wNoiseSeed);
    run.process(run.host, *s.etalonTable,
                processingRequest(s, work, work.schedule.sequence, s.dwDebuggingRepeat),
                work.chains.get(), run.series.get());
    sums.add(measureRepeat(s, *run.series, *work.chains, n, work.schedule.currentSubset));
    return true;
}

enum class CellEnd { Done, NoSeries, Cancelled };

CellEnd runCell(Run& run, std::size_t i, std::size_t j) {
    const std::uint16_t n = beginCell(run.settings, run.record, i, run.work, *run.series);
    const std::int16_t level = run.record.lpNoiseLevels[j];
    CellSums sums;
    for (std::uint32_t r = 0; r < run.record.repeats; ++r) {
        if (run.control.cancelled && run.control.cancelled()) return CellEnd::Cancelled;
        beginRepeat(run.settings, r, n, run.work, *run.series);
        if (!runRepeat(run, n, level, sums)) return CellEnd::NoSeries;
    }
    storeCell(run.record, i, j, sums);
    return CellEnd::Done;
}

}  // namespace

int statCutoffQuorvel(Host& host, RestErrorHeader* record, const SimulationSettings& settings,
                      GeneratorStates& states, std::uint16_t& wNoiseSeed,
                      std::unique_ptr<SeriesHeader>& series, SimulationTimes& times,
                      const SimulationControl& control, SeriesProcessor process) {
    Workspace work;
    if (!prepareSimulation(host, record, settings, series.get(), work)) return 0;
    times.startTime = wallClockSeconds();
    times.endTime = times.startTime;
    Run run{.host = host,
            .record = *record,
            .settings = settings,
            .states = states,
            .wNoiseSeed = wNoiseSeed,
            .series = series,
            .control = control,
            .work = work,
            .process = process};
    const std::uint32_t total = std::uint32_t{record->wVariousPulses} * record->wNoiseLevels;
    std::uint32_t done = 0;
    for (std::size_t i = 0; i < record->wVariousPulses; ++i) {
        for (std::size_t j = 0; j < record->wNoiseLevels; ++j) {
            const CellEnd end = runCell(run, i, j);
            if (end == CellEnd::NoSeries) return 0;
            if (end == CellEnd::Cancelled) {
                series->wSubsetSize = work.wSubsetSize;
                reportCancelled(host);
                return 0;
            }
            if (control.progress) control.progress(++done, total);
        }
    }
    times.endTime = wallClockSeconds();
    series->wSubsetSize = work.wSubsetSize;
    record->ifComplete = 1;
    return 1;
}

}  // namespace mirovale::reference
