#include "core/simulation/stat_cutoff_quorvel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <set>

#include "core/host/allocation.h"
#include "core/simulation/simulation_plan.h"
#include "simulation_bench.h"

// While armed, allocations fail on every thread but the test's own: a worker runs out of
// memory while the driver goes on. The sanitizers bring their own operator new.
namespace {
std::atomic<bool> otherThreadsOutOfMemory{false};
thread_local bool testThread = false;
}  // namespace

#if !defined(__SANITIZE_ADDRESS__)
void* operator new(std::size_t size) {
    if (otherThreadsOutOfMemory.load(std::memory_order_relaxed) && !testThread)
        throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
#endif

namespace mirovale {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

// A required list and a plan on N = 400 samples: pulse numbers 4 and 5, one noise level 0,
// three repeats.
struct Bench : testing::SimulationBench {
    std::vector<std::uint16_t> required{1};
    SimulationPlan plan{
        .dwSeriesLength = 400, .wPulsesSteps = 2, .wMinPulses = 4, .wNoiseSteps = 1, .wRepeats = 3};

    SimulationSettings settings(std::uint16_t task, std::uint16_t type) const {
        return {.etalonTable = &table,
                .lpRequiredList = required,
                .wSeriesType = type,
                .wProcessingTask = task};
    }
    int run(std::uint16_t task, std::uint16_t type, const SimulationControl& control = {}) {
        return runStatisticalSimulation(host, plan, settings(task, type), states, wNoiseSeed,
                                        series, record, times, control);
    }
};

TEST(StatCutoffQuorvel, WithoutNoiseWholePulsesAreRestoredAndFoundExactly) {
    const struct {
        int line;
        std::uint16_t task, type;
        std::vector<std::uint16_t> required;
    } cases[] = {
        {__LINE__, 1, 1, {1}},
        {__LINE__, 4, 4, {2, 5, 9}},  // the odometer turns the etalons of the pulses
        {__LINE__, 2, 4, {6, 8, 12}},
        {__LINE__, 48, 8, {1, 2}},  // simulated as joint detection
        {__LINE__, 36, 36, {1, 2, 3, 4, 5}},
        {__LINE__, 40, 40, {1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        Bench bench;
        bench.required = c.required;
        if (c.task >= 36) bench.storeSubsets();
        ASSERT_EQ(bench.run(c.task, c.type), 1) << c.line;
        EXPECT_EQ(bench.record->ifComplete, 1) << c.line;
        EXPECT_EQ(bench.record->wTaskType, c.task) << c.line;
        for (std::size_t m = 0; m < kErrorTables; ++m)
            EXPECT_THAT(bench.record->errors(m, 0), Each(0u)) << c.line << '\n'
                                                              << formatRestErrHeader(*bench.record);
        EXPECT_TRUE(bench.host.messages.empty()) << c.line;
        EXPECT_EQ(bench.series->wImpulseQuantity, 5) << c.line;
    }
}

TEST(StatCutoffQuorvel, CountsMisrecognitionsAndLeavesTheLastSubsetLaidIn) {
    Bench bench;
    bench.storeSubsets();
    bench.required = {1, 2, 3, 4, 5};
    bench.plan.wNoiseIncrement = 300;
    bench.plan.wNoiseSteps = 2;
    bench.plan.wRepeats = 8;  // subset 1 for repeats 0..3, subset 2 for 4..7
    ASSERT_EQ(bench.run(40, 40), 1);
    const auto wrong = bench.record->errors(ERR_MISRECOGNIZED, 1);
    EXPECT_GT(wrong[0] + wrong[1], 0u) << formatRestErrHeader(*bench.record);
    EXPECT_LE(std::max(wrong[0], wrong[1]), 8u);
    EXPECT_EQ(bench.series->wSubsetSize, 2);  // back to the size at the start
    EXPECT_THAT(std::vector(bench.series->lpSubset.begin(), bench.series->lpSubset.begin() + 3),
                ElementsAre(3, 5, 4));
}

TEST(StatCutoffQuorvel, TupleSeriesWithoutASubsetStopAtOnce) {
    const struct {
        std::uint16_t task, type;
        bool currentSubset;  // with a current subset but no stored ones
    } cases[] = {{36, 36, false}, {36, 40, false}, {40, 36, false}, {40, 40, true}};
    for (const auto& c : cases) {
        Bench bench;
        bench.series = getCutOffSeriesHeader(bench.host, 20, 20, 40, 181, 400, nullptr);
        const std::uint32_t subset[] = {2, 3};
        if (c.currentSubset) setSubset(subset, 2, 4, 1, bench.series.get());
        const GeneratorStates states = bench.states;
        EXPECT_EQ(bench.run(c.task, c.type), 0) << c.task << ' ' << c.type;
        EXPECT_THAT(bench.host.messages,
                    ElementsAre(RecordedMessage{"Error: selected Subset is absence!",
                                                " About selectedSubset ", MessageIcon::None}));
        EXPECT_EQ(bench.record->ifComplete, 0);
        EXPECT_EQ(bench.states, states);
    }
}

// Every allocation of a run failed in turn: each ends in a report and an incomplete record,
// and a synthesis that yields no series stops the run with the series creation message.
TEST(StatCutoffQuorvel, EveryFailedAllocationStopsTheRunWithItsReport) {
    std::set<std::string> lastMessages;
    bool completed = false;
    for (int k = 1; k < 60 && !completed; ++k) {
        Bench bench;
        bench.record = getRestErrHeader(bench.host, 1, 1, 1, nullptr);
        ASSERT_EQ(initRestErrHeader(bench.host, 1, 4, 1, 1, 0, 1, 1, bench.record.get()), 1);
        // A record whose buffers are not made yet: the first synthesis allocates them.
        bench.series = std::make_unique<SeriesHeader>();
        bench.series->dwSeriesSize = 400;
        bench.series->wTmin = 40;
        bench.series->wTmax = 181;
        bench.series->wMaxPulses = 10;
        ScopedAllocationFailure failure(k);
        const int result =
            statCutoffQuorvel(bench.host, bench.record.get(), bench.settings(4, 1), bench.states,
                              bench.wNoiseSeed, bench.series, bench.times);
        EXPECT_EQ(bench.record->ifComplete, result) << k;
        completed = result == 1 && bench.host.messages.empty();
        if (result == 1) continue;
        ASSERT_FALSE(bench.host.messages.empty()) << k;
        lastMessages.insert(bench.host.messages.back().text);
        if (bench.host.messages.back().caption == " getCutOffSeries ") {
            EXPECT_EQ(bench.series, nullptr) << k;
        }
    }
    EXPECT_TRUE(completed);
    EXPECT_TRUE(lastMessages.contains("Error getChainsHeader!"));
    EXPECT_TRUE(lastMessages.contains("Ошибка lpEtalonNumbersList!"));
    EXPECT_TRUE(lastMessages.contains("Не могу выделить память для lpSeriesHeader!"));
}

TEST(StatCutoffQuorvel, AWorkerThatCannotProcessASeriesStopsTheRunIncomplete) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "operator new belongs to the sanitizer";
#endif
    Bench bench;
    SimulationControl oneWorker;
    oneWorker.threads = 1;
    testThread = true;
    otherThreadsOutOfMemory = true;
    const int result = bench.run(1, 1, oneWorker);
    otherThreadsOutOfMemory = false;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(bench.record->ifComplete, 0);
    EXPECT_THAT(bench.host.messages,
                ElementsAre(RecordedMessage{"Не удалось обработать серию!", kStatCutoffCaption,
                                            MessageIcon::None}));
}

TEST(RunStatisticalSimulation, RefusesAPlanAsAWholeAndChangesNothing) {
    const struct {
        int line;
        void (*edit)(SimulationPlan&, std::vector<std::uint16_t>&);
        std::string text;
    } cases[] = {
        {__LINE__, [](auto& p, auto&) { p.wMinPulses = 9, p.wPulsesSteps = 3; },
         "План моделирования отклонён: число импульсов 11 вне 2..10, чисел импульсов, которые "
         "вмещает серия из 400 отсчётов при L 20, Tmin 40 и Tmax 181."},
        // 11 pulses fit 30 samples apart, but not one per block of 20 two blocks apart.
        {__LINE__, [](auto& p, auto&) { p.wTmin = 30, p.wMinPulses = 10; },
         "План моделирования отклонён: импульсы в числе 11 нельзя уложить по одному на блок из "
         "20 отсчётов с интервалами от Tmin 30 до Tmax 181 в серии из 400 отсчётов."},
        {__LINE__, [](auto& p, auto&) { p.wTmax = 30; },
         "План моделирования отклонён.\n\nНедопустимые параметры серии!\n\nwImpulseSize: 20\n"
         "wTmin: 40\nwTmax: 30\ndwSeriesSize: 400\n\nНужно: 0 < wImpulseSize, 0 < wTmin <= "
         "wTmax, dwSeriesSize <= 32767.\n"},
        {__LINE__, [](auto& p, auto&) { p.wRepeats = 0; },
         "План моделирования отклонён: число повторений должно быть не меньше 1."},
        {__LINE__,
         [](auto& p, auto&) {
             p.wInitialNoiseLevel = 30000, p.wNoiseIncrement = 3000, p.wNoiseSteps = 2;
         },
         "План моделирования отклонён: уровень шума 33000 вне 0..32767."},
        {__LINE__,
         [](auto&, auto& required) {
             required = {3, 21};
         },
         "План моделирования отклонён: обязательный эталон 21 не из числа 20 эталонов "
         "алфавита."},
    };
    for (const auto& c : cases) {
        Bench bench;
        ASSERT_EQ(bench.run(1, 1), 1) << c.line;
        const SeriesHeader* series = bench.series.get();
        const std::vector<std::int16_t> data = series->lpData;
        const RestErrorHeader* record = bench.record.get();
        const std::vector<std::uint32_t> tables = record->lpErrorData;
        const GeneratorStates states = bench.states;
        c.edit(bench.plan, bench.required);
        EXPECT_EQ(bench.run(1, 1), 0) << c.line;
        EXPECT_THAT(bench.host.messages,
                    ElementsAre(RecordedMessage{c.text, kStatCutoffCaption, MessageIcon::None}))
            << c.line << ": " << bench.host.messages.at(0).text;
        EXPECT_EQ(bench.series.get(), series) << c.line;
        EXPECT_EQ(series->lpData, data) << c.line;
        EXPECT_EQ(bench.record.get(), record) << c.line;
        EXPECT_EQ(record->lpErrorData, tables) << c.line;
        EXPECT_EQ(record->ifComplete, 1) << c.line;
        EXPECT_EQ(bench.states, states) << c.line;
    }
}

}  // namespace
}  // namespace mirovale
