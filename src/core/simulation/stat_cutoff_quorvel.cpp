#include "core/simulation/stat_cutoff_quorvel.h"

#include <algorithm>
#include <ctime>
#include <limits>
#include <vector>

#include "core/host/allocation.h"
#include "core/processing/chains_header.h"
#include "core/simulation/etalon_schedule.h"
#include "core/simulation/process_series.h"
#include "core/simulation/restoring_error.h"
#include "core/simulation/simulation_plan.h"
#include "core/synthesis/series_allocation.h"
#include "core/synthesis/series_subsets.h"

namespace mirovale {
namespace {

constexpr const char* kSubsetCaption = " About selectedSubset ";
constexpr const char* kChainsCaption = " About ChainsHeader ";

void report(Host& host, const char* text, const char* caption) {
    host.messageBox(text, caption, MessageIcon::None);
}

bool isTupleSeries(std::uint16_t wSeriesType) {
    return wSeriesType == 36 || wSeriesType == 40;
}

// 32-bit copies of the subsets the tuple routines take.
struct SubsetCopies {
    std::vector<std::uint32_t> current;            // the series' current subset
    std::vector<std::uint32_t> sizes;              // size of each stored subset
    std::vector<std::vector<std::uint32_t>> rows;  // each stored subset, padded to the longest
};

bool copyCurrentSubset(Host& host, const SeriesHeader& series, SubsetCopies& copies) {
    const std::size_t size = std::min<std::size_t>(series.wSubsetSize, series.lpSubset.size());
    if (!tryAllocate([&] {
            copies.current.assign(series.lpSubset.begin(),
                                  series.lpSubset.begin() + static_cast<std::ptrdiff_t>(size));
        })) {
        report(host, "Ошибка selectedSubset!", kSubsetCaption);
        return false;
    }
    return true;
}

bool copyStoredSubsets(Host& host, const SeriesHeader& series, SubsetCopies& copies) {
    const std::size_t count = series.wSubsets;
    std::size_t longest = 0;
    for (std::size_t k = 0; k < count; ++k)
        longest = std::max<std::size_t>(longest,
                                        static_cast<std::uint16_t>(series.selectedSubsetSize[k]));
    if (!tryAssign(copies.rows, count)) {
        report(host, "Ошибка selectedSubsetList!", kSubsetCaption);
        return false;
    }
    const bool copied = tryAllocate([&] {
        copies.sizes.assign(count, 0);
        for (std::size_t k = 0; k < count; ++k) {
            const auto& source = series.selectedSubsetList[k];
            const std::size_t size = std::min<std::size_t>(
                static_cast<std::uint16_t>(series.selectedSubsetSize[k]), source.size());
            copies.sizes[k] = static_cast<std::uint32_t>(size);
            copies.rows[k].assign(longest, 0);
            for (std::size_t e = 0; e < size; ++e)
                copies.rows[k][e] = static_cast<std::uint16_t>(source[e]);
        }
    });
    if (!copied) report(host, "Ошибка selectedSubset!", kSubsetCaption);
    return copied;
}

// The simulation's own storage, made before the loops.
struct Workspace {
    std::unique_ptr<ChainsHeader> chains;
    EtalonSchedule schedule;
    SubsetCopies subsets;
};

// Preparation steps 3 to 5: chains record and labels, working arrays, subset copies.
bool prepareWorkspace(Host& host, RestErrorHeader& record, const SimulationSettings& settings,
                      const SeriesHeader& series, Workspace& work) {
    const SimulationSettings& s = settings;
    work.chains = getChainsHeader(host, 10, series.wMaxPulses, nullptr);
    if (!work.chains) {
        report(host, "Error getChainsHeader!", kChainsCaption);
        return false;
    }
    if (!addToChainsHeader(host, s.wSeriesType, s.wProcessingTask, s.wSavedEnergyMaking,
                           s.wSavedEnergyProcessing, work.chains.get())) {
        report(host, "Error addToChainsHeader!", kChainsCaption);
        return false;
    }
    if (!addInitRestErrHeader(host, s.wSeriesType, s.wProcessingTask, s.wSavedEnergyMaking,
                              s.wSavedEnergyProcessing, &record)) {
        report(host, "Ошибка addInitRestErrHeader!", " About RestoreErrorHeader ");
        return false;
    }
    // Recognition hands the first wRequiredCount entries of the sequence over, so the arrays
    // hold at least that many even when the series holds fewer pulses.
    const std::size_t length = std::max<std::size_t>(series.wMaxPulses, s.lpRequiredList.size());
    if (!tryAllocate([&] {
            work.schedule.counters.assign(length, 1);
            work.schedule.sequence.assign(length, 1);
        })) {
        report(host, "Ошибка lpEtalonNumbersList!", kStatCutoffCaption);
        return false;
    }
    const bool tuples =
        isTupleSeries(s.wSeriesType) || s.wProcessingTask == 36 || s.wProcessingTask == 40;
    if (!tuples) return true;
    const bool noStored = s.wProcessingTask == 40 && series.wSubsets == 0;
    if (series.wSubsetSize == 0 || noStored) {
        work.chains.reset();
        report(host, "Error: selected Subset is absence!", kSubsetCaption);
        return false;
    }
    if (!copyCurrentSubset(host, series, work.subsets)) return false;
    return s.wProcessingTask != 40 || copyStoredSubsets(host, series, work.subsets);
}

std::string recordPlanProblem(const RestErrorHeader& record, const SimulationSettings& settings,
                              const SeriesHeader& series, std::uint16_t L) {
    std::vector<std::int64_t> pulses(record.wPulseValues.begin(),
                                     record.wPulseValues.begin() + record.wVariousPulses);
    std::vector<std::int64_t> levels(record.lpNoiseLevels.begin(),
                                     record.lpNoiseLevels.begin() + record.wNoiseLevels);
    const PlanShape shape{series.dwSeriesSize, L, series.wTmin, series.wTmax, series.wMaxPulses};
    return simulationPlanProblem(pulses, levels, record.repeats, shape, settings);
}

std::uint32_t saturated(std::uint64_t value) {
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(value, std::numeric_limits<std::uint32_t>::max()));
}

// 128 times the mean squared position error of the first min(n, sought) pulses, rounded.
std::uint64_t detectionError(const SeriesHeader& series, const ChainsHeader& chains,
                             std::uint16_t n) {
    const std::size_t K = std::min<std::size_t>(n, chains.wSeekingPulsesQuantity);
    std::int64_t s = 0;
    for (std::size_t k = 0; k < K; ++k) {
        const std::int64_t d = series.lpPositions[k] - series.lpDetectedPositions[k];
        s += d * d;
    }
    return static_cast<std::uint64_t>((n + 256 * s) / (2 * static_cast<std::int64_t>(n)));
}

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
    std::uint32_t N;
    std::uint16_t L, wTmin, wTmax;
};

void layStoredSubset(Run& run) {
    SeriesHeader& series = *run.series;
    const std::size_t t = run.work.schedule.currentSubset - 1u;
    setSubset(run.work.subsets.rows[t], run.work.subsets.sizes[t], series.wSubsetMode,
              series.wSubsetPosition, &series);
}

ProcessingRequest processingRequest(const Run& run) {
    const SimulationSettings& s = run.settings;
    const auto& subsets = run.work.subsets;
    const std::span<const std::uint16_t> sequence = run.work.schedule.sequence;
    ProcessingRequest request;
    request.wProcessingTask = s.wProcessingTask;
    request.wSeriesType = s.wSeriesType;
    request.alphabetRule = AlphabetTaskRule::Detect;
    request.etalonList = sequence.first(s.lpRequiredList.size());
    request.fixedEtalonList = s.lpRequiredList;
    request.subset = subsets.current;
    request.subsetSizes = subsets.sizes;
    request.subsetRows = subsets.rows;
    request.dwSubsets = static_cast<std::uint32_t>(subsets.sizes.size());
    request.wSubsetProceeding = s.wSubsetProceeding;
    request.wTmin = run.wTmin;
    request.wTmax = run.wTmax;
    request.wSavedEnergyProcessing = s.wSavedEnergyProcessing;
    request.dwDebuggingRepeat = s.dwDebuggingRepeat;
    return request;
}

// Sums of one (pulse number, noise level) cell.
struct CellSums {
    std::uint64_t restoring = 0;
    std::uint64_t detection = 0;
    std::uint32_t misrecognized = 0;
};

// One repeat: make, add noise, process, measure. False when no series could be had.
bool runRepeat(Run& run, std::uint16_t n, std::int16_t level, CellSums& sums) {
    const SimulationSettings& s = run.settings;
    run.series = getCutOffSeries(run.host, run.states, s.wEtalonCount, *s.etalonTable, run.L,
                                 run.wTmin, run.wTmax, run.N, n, run.work.schedule.sequence,
                                 s.wAmplitude, s.wSavedEnergyMaking, std::move(run.series));
    if (!run.series) return false;
    addNoise(level, *run.series, run.wNoiseSeed);
    processSeries(run.host, *s.etalonTable, processingRequest(run), run.work.chains.get(),
                  run.series.get());
    sums.restoring += static_cast<std::uint64_t>(getRestoringError(*run.series));
    sums.detection += detectionError(*run.series, *run.work.chains, n);
    if (s.wProcessingTask == 40 && run.series->wRecognizedSubset != run.work.schedule.currentSubset)
        ++sums.misrecognized;
    return true;
}

enum class CellEnd { Done, NoSeries, Cancelled };

CellEnd runCell(Run& run, std::size_t i, std::size_t j) {
    const SimulationSettings& s = run.settings;
    const auto n = static_cast<std::uint16_t>(run.record.wPulseValues[i]);
    const std::int16_t level = run.record.lpNoiseLevels[j];
    const std::uint32_t R = run.record.repeats;
    EtalonSchedule& schedule = run.work.schedule;
    const std::uint32_t subsets = static_cast<std::uint32_t>(run.work.subsets.sizes.size());
    if (s.wProcessingTask == 1 || s.wProcessingTask == 2) run.series->wSubsetSize = 0;
    startCell(schedule, s.wProcessingTask, s.lpRequiredList, subsets, R, n);
    if (s.wProcessingTask == 40) layStoredSubset(run);
    CellSums sums;
    for (std::uint32_t r = 0; r < R; ++r) {
        if (run.control.cancelled && run.control.cancelled()) return CellEnd::Cancelled;
        if (advanceSchedule(schedule, s.wProcessingTask, s.lpRequiredList, subsets, r, n))
            layStoredSubset(run);
        if (!runRepeat(run, n, level, sums)) return CellEnd::NoSeries;
    }
    RestErrorHeader& record = run.record;
    record.errors(ERR_RESTORING, j)[i] = saturated((2 * sums.restoring + R) / (2ull * R));
    record.errors(ERR_MISRECOGNIZED, j)[i] = sums.misrecognized;
    record.errors(ERR_RESERVED_4, j)[i] = 0;
    record.errors(ERR_RESERVED_5, j)[i] = 0;
    record.errors(ERR_DETECTION, j)[i] = saturated(sums.detection / 128);
    record.errors(ERR_FRAGMENTS, j)[i] = 0;
    return CellEnd::Done;
}

std::int64_t now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace

int statCutoffQuorvel(Host& host, RestErrorHeader* record, const SimulationSettings& settings,
                      GeneratorStates& states, std::uint16_t& wNoiseSeed,
                      std::unique_ptr<SeriesHeader>& series, SimulationTimes& times,
                      const SimulationControl& control) {
    if (record == nullptr) {
        report(host, "Absence of RestoreErrorHeader!", "statCutoffQuorvel");
        return 0;
    }
    if (!series) {
        host.messageBox("Simulation refused: there is no series record to simulate with.",
                        kStatCutoffCaption, MessageIcon::Exclamation);
        return 0;
    }
    const std::span<const std::uint16_t> required = settings.lpRequiredList;
    const bool haveFirst = !required.empty() && settings.etalonTable != nullptr &&
                           required[0] >= 1 && required[0] <= settings.etalonTable->size();
    const std::uint16_t L = haveFirst ? (*settings.etalonTable)[required[0] - 1u].wSize : 0;
    if (const std::string problem = recordPlanProblem(*record, settings, *series, L);
        !problem.empty()) {
        host.messageBox(problem, kStatCutoffCaption, MessageIcon::Exclamation);
        return 0;
    }
    const std::uint16_t wSubsetSize = series->wSubsetSize;
    Workspace work;
    if (!prepareWorkspace(host, *record, settings, *series, work)) return 0;
    times.startTime = now();
    times.endTime = times.startTime;
    Run run{.host = host,
            .record = *record,
            .settings = settings,
            .states = states,
            .wNoiseSeed = wNoiseSeed,
            .series = series,
            .control = control,
            .work = work,
            .N = series->dwSeriesSize,
            .L = L,
            .wTmin = series->wTmin,
            .wTmax = series->wTmax};
    const std::uint32_t total = std::uint32_t{record->wVariousPulses} * record->wNoiseLevels;
    std::uint32_t done = 0;
    for (std::size_t i = 0; i < record->wVariousPulses; ++i) {
        for (std::size_t j = 0; j < record->wNoiseLevels; ++j) {
            const CellEnd end = runCell(run, i, j);
            if (end == CellEnd::NoSeries) return 0;
            if (end == CellEnd::Cancelled) {
                series->wSubsetSize = wSubsetSize;
                return 0;
            }
            if (control.progress) control.progress(++done, total);
        }
    }
    times.endTime = now();
    series->wSubsetSize = wSubsetSize;
    record->ifComplete = 1;
    return 1;
}

}  // namespace mirovale
