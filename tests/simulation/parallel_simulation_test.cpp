#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

#include "core/simulation/sequential_stat_cutoff_quorvel.h"
#include "core/simulation/simulation_plan.h"
#include "simulation_bench.h"

namespace mirovale {
namespace {

using Driver = int (*)(Host&, RestErrorHeader*, const SimulationSettings&, GeneratorStates&,
                       std::uint16_t&, std::unique_ptr<SeriesHeader>&, SimulationTimes&,
                       const SimulationControl&);

// The one-loop driver with the workbench's processing routines.
int sequential(Host& host, RestErrorHeader* record, const SimulationSettings& settings,
               GeneratorStates& states, std::uint16_t& wNoiseSeed,
               std::unique_ptr<SeriesHeader>& series, SimulationTimes& times,
               const SimulationControl& control) {
    return reference::statCutoffQuorvel(host, record, settings, states, wNoiseSeed, series, times,
                                        control);
}

// A small plan on N = 400 samples (2..10 pulses fit with L = 20, Tmin = 40, Tmax = 181).
struct Plan {
    int line;
    std::uint16_t minPulses, pulseSteps, pulseIncrement;
    std::uint16_t firstLevel, levelSteps, levelIncrement;
    std::uint16_t repeats;
    std::uint16_t saved;  // making and processing level
    std::vector<std::uint16_t> required;
};

const Plan kPlans[] = {
    {__LINE__, 4, 2, 1, 0, 2, 150, 3, 100, {1, 2, 3, 4, 5}},
    {__LINE__, 2, 3, 4, 60, 1, 5, 5, 75, {3, 7, 11}},         // smallest and largest n
    {__LINE__, 3, 1, 1, 0, 3, 120, 7, 90, {2, 4, 6, 8, 10}},  // runs longer than a cell
};

// One workbench: alphabet, two stored subsets (the first current), the dump flag of the
// tuple routines set, and everything a run changes.
struct Workbench : testing::SimulationBench {
    std::uint32_t dwDebuggingRepeat = 1;
    std::vector<std::uint32_t> progress;

    explicit Workbench(const Plan& plan) {
        storeSubsets();
        record = getRestErrHeader(host, plan.pulseSteps, plan.levelSteps, plan.repeats, nullptr);
        EXPECT_EQ(initRestErrHeader(host, plan.pulseSteps, plan.minPulses, plan.pulseIncrement,
                                    plan.levelSteps, plan.firstLevel, plan.levelIncrement,
                                    plan.repeats, record.get()),
                  1);
    }

    int run(Driver driver, const Plan& plan, std::uint16_t task, std::uint16_t type,
            unsigned threads, std::function<bool()> cancelled = nullptr) {
        const SimulationSettings settings{.etalonTable = &table,
                                          .lpRequiredList = plan.required,
                                          .wSeriesType = type,
                                          .wProcessingTask = task,
                                          .wSavedEnergyMaking = plan.saved,
                                          .wSavedEnergyProcessing = plan.saved,
                                          .dwDebuggingRepeat = &dwDebuggingRepeat};
        SimulationControl control{[this](std::uint32_t done, std::uint32_t total) {
                                      progress.push_back(done * 1000 + total);
                                  },
                                  std::move(cancelled), threads};
        return driver(host, record.get(), settings, states, wNoiseSeed, series, times, control);
    }
};

// The entries of a detected-pulse list that the last series' synthesis and processing wrote;
// those beyond are left from earlier series, and only the one-loop driver keeps them.
std::vector<std::int16_t> detected(const std::vector<std::int16_t>& list, const SeriesHeader& s) {
    const std::size_t used = std::max(s.wImpulseQuantity, s.wDetectedPulses);
    return {list.begin(), list.begin() + static_cast<std::ptrdiff_t>(std::min(used, list.size()))};
}

// Everything a run leaves behind, compared field by field so that a failure names the field.
void expectSameOutcome(const Workbench& got, const Workbench& want, const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(got.record->lpErrorData, want.record->lpErrorData)
        << formatRestErrHeader(*got.record) << "\nwanted\n"
        << formatRestErrHeader(*want.record);
    EXPECT_EQ(got.record->ifComplete, want.record->ifComplete);
    EXPECT_EQ(got.host.messages, want.host.messages);
    EXPECT_EQ(got.progress, want.progress);
    EXPECT_EQ(got.states, want.states);
    EXPECT_EQ(got.wNoiseSeed, want.wNoiseSeed);
    EXPECT_EQ(got.dwDebuggingRepeat, want.dwDebuggingRepeat);
    const SeriesHeader& a = *got.series;
    const SeriesHeader& b = *want.series;
    EXPECT_EQ(a.lpData, b.lpData);
    EXPECT_EQ(a.lpPureData, b.lpPureData);
    EXPECT_EQ(a.lpPositions, b.lpPositions);
    EXPECT_EQ(detected(a.lpDetectedPositions, a), detected(b.lpDetectedPositions, b));
    EXPECT_EQ(detected(a.lpDetectedEtalons, a), detected(b.lpDetectedEtalons, b));
    EXPECT_EQ(detected(a.lpDetectedBegins, a), detected(b.lpDetectedBegins, b));
    EXPECT_EQ(detected(a.lpDetectedEnds, a), detected(b.lpDetectedEnds, b));
    EXPECT_EQ(a.wDetectedPulses, b.wDetectedPulses);
    EXPECT_EQ(a.wDetectedTuples, b.wDetectedTuples);
    EXPECT_EQ(a.wRecognizedSubset, b.wRecognizedSubset);
    EXPECT_EQ(a.wSubsetSize, b.wSubsetSize);
    EXPECT_EQ(a.lpSubset, b.lpSubset);
}

std::vector<std::uint32_t> allCells(std::uint32_t total) {
    std::vector<std::uint32_t> progress(total);
    std::iota(progress.begin(), progress.end(), 1u);
    for (std::uint32_t& p : progress) p = p * 1000 + total;
    return progress;
}

// Every task with every series type, on each plan: the tables, the messages (tuple dumps
// included), the progress, the generators and the last series equal the one-loop driver's
// whatever the number of threads.
TEST(ParallelSimulation, EqualsTheSequentialDriverForEveryTaskSeriesTypeAndThreadCount) {
    const std::uint16_t tasks[] = {1, 2, 4, 36, 40, 48};
    const std::uint16_t types[] = {1, 2, 4, 8, 36, 40};
    for (const Plan& plan : kPlans) {
        for (const std::uint16_t task : tasks) {
            for (const std::uint16_t type : types) {
                Workbench want(plan);
                ASSERT_EQ(want.run(&sequential, plan, task, type, 1), 1)
                    << plan.line << ' ' << task << ' ' << type;
                EXPECT_EQ(want.progress, allCells(plan.pulseSteps * plan.levelSteps));
                for (const unsigned threads : {1u, 2u, 8u}) {
                    Workbench got(plan);
                    EXPECT_EQ(got.run(&statCutoffQuorvel, plan, task, type, threads), 1);
                    expectSameOutcome(got, want,
                                      "plan at line " + std::to_string(plan.line) + ", task " +
                                          std::to_string(task) + ", type " + std::to_string(type) +
                                          ", threads " + std::to_string(threads));
                }
            }
        }
    }
}

// A cancel before the first repeat, inside a cell, at a cell's end and before the last repeat:
// the cells finished before it are stored and counted, the record stays incomplete, the stop
// is reported, and everything else (detection's subset put back included) is what the
// one-loop driver leaves.
TEST(ParallelSimulation, StopsWhenCancelledLikeTheSequentialDriver) {
    const Plan& plan = kPlans[0];  // 4 cells of 3 repeats
    for (const auto& [task, allowed] : {std::pair{4, 0}, {4, 4}, {4, 6}, {4, 11}, {1, 4}}) {
        const auto cancelAfter = [allowed] {
            return [allowed, asked = 0]() mutable { return ++asked > allowed; };
        };
        const auto t = static_cast<std::uint16_t>(task);
        Workbench want(plan);
        EXPECT_EQ(want.run(&sequential, plan, t, 8, 1, cancelAfter()), 0);
        for (const unsigned threads : {1u, 2u, 8u}) {
            Workbench got(plan);
            EXPECT_EQ(got.run(&statCutoffQuorvel, plan, t, 8, threads, cancelAfter()), 0);
            EXPECT_EQ(got.record->ifComplete, 0);
            ASSERT_FALSE(got.host.messages.empty());
            EXPECT_EQ(got.host.messages.back(),
                      (RecordedMessage{
                          "Статистическое моделирование прервано пользователем, таблицы неполны!",
                          kStatCutoffCaption, MessageIcon::None}));
            EXPECT_EQ(got.progress.size(), static_cast<std::size_t>(allowed / 3));
            expectSameOutcome(got, want,
                              "task " + std::to_string(task) + ", cancel after " +
                                  std::to_string(allowed) + " repeats, threads " +
                                  std::to_string(threads));
        }
    }
}

}  // namespace
}  // namespace mirovale
