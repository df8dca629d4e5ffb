#include "core/simulation/stat_cutoff_quorvel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/simulation/simulation_plan.h"
#include "core/synthesis/pulse_alphabet.h"
#include "core/synthesis/series_allocation.h"
#include "core/synthesis/series_subsets.h"

namespace mirovale {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

// A workbench just big enough for the driver: the alphabet, a required list, a sized series
// and a plan of N = 400 samples (2..10 pulses fit), L = 20, Tmin = 40, Tmax = 181.
struct Bench {
    RecordingHost host;
    GeneratorStates states;
    std::uint16_t wNoiseSeed = 10597;
    EtalonTable table{};
    std::vector<std::uint16_t> required{1};
    std::unique_ptr<SeriesHeader> series;
    std::unique_ptr<RestErrorHeader> record;
    SimulationTimes times;
    SimulationPlan plan;

    Bench() {
        EXPECT_EQ(createPulses(host, states, 128, 20, 20, table), 1);
        plan.dwSeriesLength = 400;
        plan.wMinPulses = 4;
        plan.wPulsesSteps = 2;
        plan.wNoiseSteps = 1;
        plan.wRepeats = 3;
    }
    SimulationSettings settings(std::uint16_t task, std::uint16_t type) const {
        SimulationSettings s;
        s.etalonTable = &table;
        s.lpRequiredList = required;
        s.wProcessingTask = task;
        s.wSeriesType = type;
        return s;
    }
    int run(std::uint16_t task, std::uint16_t type, const SimulationControl& control = {}) {
        return runStatisticalSimulation(host, plan, settings(task, type), states, wNoiseSeed,
                                        series, record, times, control);
    }
    // The series record sized for the plan, as the command makes it before the simulation.
    void sizeSeries() {
        series = getCutOffSeriesHeader(host, 20, plan.wEtalonLength, plan.wTmin, plan.wTmax,
                                       plan.dwSeriesLength, std::move(series));
    }
    std::string dump(std::size_t m) const {
        std::ostringstream out;
        for (std::size_t j = 0; j < record->wNoiseLevels; ++j) {
            out << record->lpNoiseLevels[j] << ':';
            for (std::size_t i = 0; i < record->wVariousPulses; ++i)
                out << ' ' << record->errors(m, j)[i];
            out << '\n';
        }
        return out.str();
    }
};

TEST(StatCutoffQuorvel, WithoutNoiseWholePulsesAreRestoredAndFoundExactly) {
    const struct {
        int line;
        std::uint16_t task, type;
        std::vector<std::uint16_t> required;
    } cases[] = {
        {__LINE__, 1, 1, {1}},    {__LINE__, 1, 4, {7}},        {__LINE__, 4, 4, {2, 5, 9}},
        {__LINE__, 4, 1, {3, 4}}, {__LINE__, 2, 4, {6, 8, 12}}, {__LINE__, 48, 8, {1, 2}},
    };
    for (const auto& c : cases) {
        Bench bench;
        bench.required = c.required;
        bench.plan.wNoiseSteps = 1;
        bench.plan.wRepeats = 4;
        ASSERT_EQ(bench.run(c.task, c.type), 1) << c.line;
        const RestErrorHeader& r = *bench.record;
        EXPECT_EQ(r.ifComplete, 1) << c.line;
        EXPECT_THAT(r.wPulseValues, ElementsAre(4, 5)) << c.line;
        for (std::size_t m = 0; m < kErrorTables; ++m)
            EXPECT_THAT(r.errors(m, 0), Each(0u)) << c.line << " table " << m << '\n'
                                                  << bench.dump(m);
        // The parameters message is the command's; the driver itself reports nothing.
        EXPECT_TRUE(bench.host.messages.empty()) << c.line;
        EXPECT_EQ(bench.series->wImpulseQuantity, 5) << c.line;
        EXPECT_EQ(r.wTaskType, c.task) << c.line;
        EXPECT_EQ(r.wRecordKind, 2) << c.line;
    }
}

TEST(StatCutoffQuorvel, ErrorsDoNotFallAsTheNoiseRises) {
    Bench bench;
    bench.required = {1, 2, 3, 4};
    bench.plan.wMinPulses = 5;
    bench.plan.wPulsesSteps = 1;
    bench.plan.wInitialNoiseLevel = 0;
    bench.plan.wNoiseIncrement = 100;
    bench.plan.wNoiseSteps = 4;  // 0, 100, 200, 300 against an amplitude of 128
    bench.plan.wRepeats = 12;
    ASSERT_EQ(bench.run(4, 4), 1);
    const RestErrorHeader& r = *bench.record;
    for (const std::size_t m : {ERR_RESTORING, ERR_DETECTION}) {
        EXPECT_EQ(r.errors(m, 0)[0], 0u) << bench.dump(m);
        for (std::size_t j = 1; j < r.wNoiseLevels; ++j)
            EXPECT_GE(r.errors(m, j)[0], r.errors(m, j - 1)[0]) << "table " << m << '\n'
                                                                << bench.dump(m);
        EXPECT_GT(r.errors(m, 3)[0], 0u) << bench.dump(m);
    }
}

// Two stored subsets, the first current, laid complete from the first pulse.
void storeSubsets(Bench& bench) {
    bench.sizeSeries();
    const std::vector<std::uint32_t> sizes{2, 3};
    const std::vector<std::vector<std::uint32_t>> rows{{1, 2, 0}, {3, 5, 4}};
    ASSERT_EQ(addSomeSelectedSubsetToSeriesHeader(bench.host, sizes, rows, 2, 2, 3, 1, 4, 1,
                                                  bench.series.get()),
              1);
}

TEST(StatCutoffQuorvel, TupleTasksFindEverythingWithoutNoiseAndCountMisrecognitions) {
    const struct {
        int line;
        std::uint16_t task, type;
    } cases[] = {{__LINE__, 36, 36}, {__LINE__, 36, 40}, {__LINE__, 40, 36}, {__LINE__, 40, 40}};
    for (const auto& c : cases) {
        Bench bench;
        storeSubsets(bench);
        bench.required = {1, 2, 3, 4, 5};
        bench.plan.wNoiseIncrement = 300;
        bench.plan.wNoiseSteps = 2;
        bench.plan.wRepeats = 8;
        ASSERT_EQ(bench.run(c.task, c.type), 1) << c.line;
        const RestErrorHeader& r = *bench.record;
        for (std::size_t m = 0; m < kErrorTables; ++m)
            EXPECT_THAT(r.errors(m, 0), ElementsAre(0u, 0u)) << c.line << " table " << m;
        // Heavy noise misleads tuple recognition now and then, and never more than every repeat.
        const auto wrong = r.errors(ERR_MISRECOGNIZED, 1);
        EXPECT_EQ(wrong[0] + wrong[1] > 0, c.task == 40) << c.line << '\n'
                                                         << bench.dump(ERR_MISRECOGNIZED);
        EXPECT_LE(std::max(wrong[0], wrong[1]), 8u) << c.line;
        // The subset size comes back; tuple recognition leaves the last subset laid in.
        EXPECT_EQ(bench.series->wSubsetSize, 2) << c.line;
        const std::vector<int> laid(bench.series->lpSubset.begin(),
                                    bench.series->lpSubset.begin() + 3);
        const std::vector<int> expected =
            c.task == 40 ? std::vector<int>{3, 5, 4} : std::vector<int>{1, 2, 0};
        EXPECT_EQ(laid, expected) << c.line;
    }
}

TEST(StatCutoffQuorvel, TupleSeriesWithoutASubsetStopAtOnce) {
    const struct {
        int line;
        std::uint16_t task, type;
        bool currentSubset;
    } cases[] = {
        {__LINE__, 36, 36, false},
        {__LINE__, 36, 40, false},
        {__LINE__, 40, 36, false},
        {__LINE__, 40, 40, false},
        // Tuple recognition also needs stored subsets to choose from.
        {__LINE__, 40, 40, true},
    };
    for (const auto& c : cases) {
        Bench bench;
        bench.sizeSeries();
        if (c.currentSubset) {
            const std::uint32_t subset[] = {2, 3};
            setSubset(subset, 2, 4, 1, bench.series.get());
        }
        const SeriesHeader* before = bench.series.get();
        const GeneratorStates states = bench.states;
        bench.host.messages.clear();
        EXPECT_EQ(bench.run(c.task, c.type), 0) << c.line;
        EXPECT_THAT(bench.host.messages,
                    ElementsAre(RecordedMessage{"Error: selected Subset is absence!",
                                                " About selectedSubset ", MessageIcon::None}))
            << c.line;
        EXPECT_EQ(bench.record->ifComplete, 0) << c.line;
        EXPECT_EQ(bench.series.get(), before) << c.line;
        EXPECT_EQ(bench.series->wSubsetSize, c.currentSubset ? 2 : 0) << c.line;
        EXPECT_EQ(bench.states, states) << c.line;
    }
}

TEST(StatCutoffQuorvel, RefusesAMissingRecordOrSeries) {
    Bench bench;
    bench.sizeSeries();
    EXPECT_EQ(statCutoffQuorvel(bench.host, nullptr, bench.settings(1, 1), bench.states,
                                bench.wNoiseSeed, bench.series, bench.times),
              0);
    RestErrorHeader record;
    std::unique_ptr<SeriesHeader> none;
    EXPECT_EQ(statCutoffQuorvel(bench.host, &record, bench.settings(1, 1), bench.states,
                                bench.wNoiseSeed, none, bench.times),
              0);
    ASSERT_EQ(bench.host.messages.size(), 2u);
    EXPECT_EQ(bench.host.messages[0], (RecordedMessage{"Absence of RestoreErrorHeader!",
                                                       "statCutoffQuorvel", MessageIcon::None}));
    EXPECT_EQ(bench.host.messages[1].caption, kStatCutoffCaption);
}

// Every allocation of a run failed in turn: each ends in a report and an incomplete record,
// and a synthesis that yields no series stops the run with the series creation message.
TEST(StatCutoffQuorvel, EveryFailedAllocationStopsTheRunWithItsReport) {
    std::set<std::string> lastMessages;
    bool completed = false;
    for (int k = 1; k < 60 && !completed; ++k) {
        Bench bench;
        bench.plan.wRepeats = 1;
        bench.plan.wPulsesSteps = 1;
        bench.record = getRestErrHeader(bench.host, 1, 1, 1, nullptr);
        ASSERT_EQ(initRestErrHeader(bench.host, 1, 4, 1, 1, 0, 1, 1, bench.record.get()), 1);
        // A series record whose buffers are not made yet: the first synthesis allocates them.
        bench.series = std::make_unique<SeriesHeader>();
        bench.series->dwSeriesSize = 400;
        bench.series->wTmin = 40;
        bench.series->wTmax = 181;
        bench.series->wMaxPulses = 10;
        int result = 0;
        {
            ScopedAllocationFailure failure(k);
            result = statCutoffQuorvel(bench.host, bench.record.get(), bench.settings(4, 1),
                                       bench.states, bench.wNoiseSeed, bench.series, bench.times);
        }
        EXPECT_EQ(bench.record->ifComplete, result) << k;
        if (result == 1 && bench.host.messages.empty()) {
            completed = true;
            continue;
        }
        ASSERT_FALSE(bench.host.messages.empty()) << k;
        const RecordedMessage& last = bench.host.messages.back();
        if (result == 0) lastMessages.insert(last.text);
        if (last.text == "Не могу выделить память для lpSeriesHeader!") {
            EXPECT_EQ(result, 0) << k;
            EXPECT_EQ(bench.series, nullptr) << k;
            EXPECT_EQ(last.caption, " getCutOffSeries ") << k;
        }
    }
    EXPECT_TRUE(completed);
    EXPECT_TRUE(lastMessages.contains("Error getChainsHeader!"));
    EXPECT_TRUE(lastMessages.contains("Ошибка lpEtalonNumbersList!"));
    EXPECT_TRUE(lastMessages.contains("Не могу выделить память для lpSeriesHeader!"));
}

TEST(StatCutoffQuorvel, ReportsProgressPerCellAndStopsWhenCancelled) {
    Bench bench;
    bench.plan.wNoiseSteps = 3;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> progress;
    SimulationControl control;
    control.progress = [&](std::uint32_t done, std::uint32_t total) {
        progress.emplace_back(done, total);
    };
    ASSERT_EQ(bench.run(1, 1, control), 1);
    EXPECT_EQ(progress.size(), 6u);
    EXPECT_EQ(progress.front(), std::make_pair(1u, 6u));
    EXPECT_EQ(progress.back(), std::make_pair(6u, 6u));

    int asked = 0;
    control.cancelled = [&] { return ++asked > 4; };  // stops in the second cell
    progress.clear();
    const std::uint32_t subset[] = {2};
    setSubset(subset, 1, 4, 1, bench.series.get());
    EXPECT_EQ(bench.run(1, 1, control), 0);
    EXPECT_EQ(bench.record->ifComplete, 0);
    EXPECT_EQ(progress.size(), 1u);
    EXPECT_EQ(bench.series->wSubsetSize, 1);  // the subset cleared for detection comes back
    EXPECT_TRUE(bench.host.messages.empty());
}

TEST(StatCutoffQuorvel, RepeatsTheSameTablesFromTheSameGeneratorStates) {
    Bench first;
    Bench second;
    first.plan.wNoiseSteps = second.plan.wNoiseSteps = 2;
    first.plan.wInitialNoiseLevel = second.plan.wInitialNoiseLevel = 40;
    ASSERT_EQ(first.run(4, 8), 1);
    ASSERT_EQ(second.run(4, 8), 1);
    EXPECT_EQ(first.record->lpErrorData, second.record->lpErrorData);
    EXPECT_EQ(first.states, second.states);
    EXPECT_EQ(first.wNoiseSeed, second.wNoiseSeed);
    EXPECT_NE(first.wNoiseSeed, 10597);
}

}  // namespace
}  // namespace mirovale
