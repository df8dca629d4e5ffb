#include "core/simulation/simulation_run.h"

#include <algorithm>
#include <ctime>
#include <limits>
#include <string>

#include "core/host/allocation.h"
#include "core/simulation/restoring_error.h"
#include "core/simulation/simulation_plan.h"
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

// Chains record and labels, working arrays, subset copies.
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

void layStoredSubset(const Workspace& work, SeriesHeader& series) {
    const std::size_t t = work.schedule.currentSubset - 1u;
    setSubset(work.subsets.rows[t], work.subsets.sizes[t], series.wSubsetMode,
              series.wSubsetPosition, &series);
}

std::uint32_t storedSubsets(const Workspace& work) {
    return static_cast<std::uint32_t>(work.subsets.sizes.size());
}

}  // namespace

bool prepareSimulation(Host& host, RestErrorHeader* record, const SimulationSettings& settings,
                       const SeriesHeader* series, Workspace& work) {
    if (record == nullptr) {
        report(host, "Absence of RestoreErrorHeader!", "statCutoffQuorvel");
        return false;
    }
    if (series == nullptr) {
        // "Simulation refused: there is no series record to simulate with."
        report(host, "Моделирование отклонено: нет записи серии, на которой моделировать.",
               kStatCutoffCaption);
        return false;
    }
    const std::span<const std::uint16_t> required = settings.lpRequiredList;
    const bool haveFirst = !required.empty() && settings.etalonTable != nullptr &&
                           required[0] >= 1 && required[0] <= settings.etalonTable->size();
    work.L = haveFirst ? (*settings.etalonTable)[required[0] - 1u].wSize : 0;
    if (const std::string problem = recordPlanProblem(*record, settings, *series, work.L);
        !problem.empty()) {
        report(host, problem.c_str(), kStatCutoffCaption);
        return false;
    }
    work.N = series->dwSeriesSize;
    work.wTmin = series->wTmin;
    work.wTmax = series->wTmax;
    work.wSubsetSize = series->wSubsetSize;
    return prepareWorkspace(host, *record, settings, *series, work);
}

std::uint16_t beginCell(const SimulationSettings& settings, const RestErrorHeader& record,
                        std::size_t i, Workspace& work, SeriesHeader& series) {
    const std::uint16_t task = settings.wProcessingTask;
    const auto n = static_cast<std::uint16_t>(record.wPulseValues[i]);
    if (task == 1 || task == 2) series.wSubsetSize = 0;
    startCell(work.schedule, task, settings.lpRequiredList, storedSubsets(work), record.repeats, n);
    if (task == 40) layStoredSubset(work, series);
    return n;
}

void beginRepeat(const SimulationSettings& settings, std::uint32_t r, std::uint16_t n,
                 Workspace& work, SeriesHeader& series) {
    if (advanceSchedule(work.schedule, settings.wProcessingTask, settings.lpRequiredList,
                        storedSubsets(work), r, n))
        layStoredSubset(work, series);
}

ProcessingRequest processingRequest(const SimulationSettings& settings, const Workspace& work,
                                    std::span<const std::uint16_t> sequence,
                                    std::uint32_t* debugging) {
    const SimulationSettings& s = settings;
    const SubsetCopies& subsets = work.subsets;
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
    request.wTmin = work.wTmin;
    request.wTmax = work.wTmax;
    request.wSavedEnergyProcessing = s.wSavedEnergyProcessing;
    request.dwDebuggingRepeat = debugging;
    return request;
}

RepeatErrors measureRepeat(const SimulationSettings& settings, const SeriesHeader& series,
                           const ChainsHeader& chains, std::uint16_t n,
                           std::uint32_t currentSubset) {
    RepeatErrors errors;
    errors.restoring = static_cast<std::uint64_t>(getRestoringError(series));
    // 128 times the mean squared position error of the first min(n, sought) pulses, rounded.
    const std::size_t K = std::min<std::size_t>(n, chains.wSeekingPulsesQuantity);
    std::int64_t s = 0;
    for (std::size_t k = 0; k < K; ++k) {
        const std::int64_t d = series.lpPositions[k] - series.lpDetectedPositions[k];
        s += d * d;
    }
    errors.detection =
        static_cast<std::uint64_t>((n + 256 * s) / (2 * static_cast<std::int64_t>(n)));
    errors.misrecognized =
        settings.wProcessingTask == 40 && series.wRecognizedSubset != currentSubset;
    return errors;
}

void storeCell(RestErrorHeader& record, std::size_t i, std::size_t j, const CellSums& sums) {
    const std::uint64_t R = record.repeats;
    record.errors(ERR_RESTORING, j)[i] = saturated((2 * sums.restoring + R) / (2 * R));
    record.errors(ERR_MISRECOGNIZED, j)[i] = sums.misrecognized;
    record.errors(ERR_RESERVED_4, j)[i] = 0;
    record.errors(ERR_RESERVED_5, j)[i] = 0;
    record.errors(ERR_DETECTION, j)[i] = saturated(sums.detection / 128);
    record.errors(ERR_FRAGMENTS, j)[i] = 0;
}

void reportCancelled(Host& host) {
    // "The statistical simulation was interrupted by the user; its tables are incomplete!"
    host.messageBox("Статистическое моделирование прервано пользователем, таблицы неполны!",
                    kStatCutoffCaption, MessageIcon::None);
}

std::int64_t wallClockSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace mirovale
