#include "core/simulation/simulation_plan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/recording_host.h"
#include "core/synthesis/pulse_alphabet.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

struct Workbench {
    RecordingHost host;
    GeneratorStates states;
    std::uint16_t wNoiseSeed = 10597;
    EtalonTable table{};
    std::vector<std::uint16_t> required{1, 2};
    std::unique_ptr<SeriesHeader> series;
    std::unique_ptr<RestErrorHeader> record;
    SimulationTimes times;

    Workbench() { EXPECT_EQ(createPulses(host, states, 128, 20, 20, table), 1); }
    SimulationSettings settings() const {
        SimulationSettings s;
        s.etalonTable = &table;
        s.lpRequiredList = required;
        s.wProcessingTask = 1;
        s.wSeriesType = 1;
        return s;
    }
    int run(const SimulationPlan& plan) {
        return runStatisticalSimulation(host, plan, settings(), states, wNoiseSeed, series, record,
                                        times);
    }
};

SimulationPlan smallPlan() {
    SimulationPlan plan;
    plan.dwSeriesLength = 400;  // 2..10 pulses with L 20, Tmin 40, Tmax 181
    plan.wMinPulses = 3;
    plan.wPulsesSteps = 2;
    plan.wNoiseSteps = 2;
    plan.wRepeats = 2;
    return plan;
}

TEST(RunStatisticalSimulation, RefusesAPlanAsAWholeAndChangesNothing) {
    const struct {
        int line;
        void (*edit)(SimulationPlan&, std::vector<std::uint16_t>&);
        const char* text;
    } cases[] = {
        {__LINE__, [](SimulationPlan& p, auto&) { p.wMinPulses = 9, p.wPulsesSteps = 3; },
         "Simulation plan refused: pulse number 11 is outside 2..10, the numbers of pulses a "
         "series of 400 samples holds with L 20, Tmin 40 and Tmax 181."},
        {__LINE__, [](SimulationPlan& p, auto&) { p.wMinPulses = 1; },
         "Simulation plan refused: pulse number 1 is outside 2..10, the numbers of pulses a "
         "series of 400 samples holds with L 20, Tmin 40 and Tmax 181."},
        // Every step lands inside the range except the last one, 3 + 4 * 2 = 11.
        {__LINE__, [](SimulationPlan& p, auto&) { p.wPulsesSteps = 3, p.wPulsesIncrement = 4; },
         "Simulation plan refused: pulse number 11 is outside 2..10, the numbers of pulses a "
         "series of 400 samples holds with L 20, Tmin 40 and Tmax 181."},
        // 11 pulses fit 30 samples apart, but not one per block of 20 two blocks apart.
        {__LINE__, [](SimulationPlan& p, auto&) { p.wTmin = 30, p.wMinPulses = 10; },
         "Simulation plan refused: 11 pulses cannot be laid one per block of 20 samples between "
         "Tmin 30 and Tmax 181 in a series of 400 samples."},
        {__LINE__, [](SimulationPlan& p, auto&) { p.wRepeats = 0; },
         "Simulation plan refused: the number of repeats must be at least 1."},
        {__LINE__, [](SimulationPlan& p, auto&) { p.wPulsesSteps = 0; },
         "Simulation plan refused: the plan has no pulse numbers."},
        {__LINE__, [](SimulationPlan& p, auto&) { p.wNoiseSteps = 0; },
         "Simulation plan refused: the plan has no noise levels."},
        {__LINE__,
         [](SimulationPlan& p, auto&) { p.wInitialNoiseLevel = 30000, p.wNoiseIncrement = 3000; },
         "Simulation plan refused: noise level 33000 is outside 0..32767."},
        {__LINE__, [](SimulationPlan&, auto& required) { required.clear(); },
         "Simulation plan refused: there are no required etalons to build series from."},
        {__LINE__,
         [](SimulationPlan&, auto& required) {
             required = {3, 21};
         },
         "Simulation plan refused: required etalon 21 is not one of the 20 etalons of the "
         "alphabet."},
    };
    for (const auto& c : cases) {
        Workbench bench;
        ASSERT_EQ(bench.run(smallPlan()), 1) << c.line;
        const SeriesHeader* series = bench.series.get();
        const std::vector<std::int16_t> data = series->lpData;
        const RestErrorHeader* record = bench.record.get();
        const std::vector<std::uint32_t> tables = record->lpErrorData;
        const GeneratorStates states = bench.states;
        const std::uint16_t noise = bench.wNoiseSeed;
        SimulationPlan plan = smallPlan();
        c.edit(plan, bench.required);
        bench.host.messages.clear();
        EXPECT_EQ(bench.run(plan), 0) << c.line;
        EXPECT_THAT(bench.host.messages, ElementsAre(RecordedMessage{c.text, kStatCutoffCaption,
                                                                     MessageIcon::Exclamation}))
            << c.line << ": " << (bench.host.messages.empty() ? "" : bench.host.messages[0].text);
        EXPECT_EQ(bench.series.get(), series) << c.line;
        EXPECT_EQ(bench.series->lpData, data) << c.line;
        EXPECT_EQ(bench.record.get(), record) << c.line;
        EXPECT_EQ(bench.record->lpErrorData, tables) << c.line;
        EXPECT_EQ(bench.record->ifComplete, 1) << c.line;
        EXPECT_EQ(bench.states, states) << c.line;
        EXPECT_EQ(bench.wNoiseSeed, noise) << c.line;
    }
}

TEST(RunStatisticalSimulation, RefusesSizesNoSeriesCanBeBuiltWith) {
    Workbench bench;
    SimulationPlan plan = smallPlan();
    plan.wTmin = 0;
    EXPECT_EQ(bench.run(plan), 0);
    ASSERT_EQ(bench.host.messages.size(), 1u);
    EXPECT_THAT(bench.host.messages[0].text, StartsWith("Simulation plan refused: "));
    EXPECT_EQ(bench.series, nullptr);
    EXPECT_EQ(bench.record, nullptr);
}

TEST(StatCutoffQuorvel, ChecksTheRecordsPlanAgainstTheWorkingArraysOfTheSeries) {
    Workbench bench;
    ASSERT_EQ(bench.run(smallPlan()), 1);
    RestErrorHeader& record = *bench.record;
    // A series record whose arrays hold fewer pulses than the series length allows.
    bench.series->wMaxPulses = 3;
    record.wPulseValues[1] = 4;
    const std::vector<std::uint32_t> tables = record.lpErrorData;
    const GeneratorStates states = bench.states;
    bench.host.messages.clear();
    EXPECT_EQ(statCutoffQuorvel(bench.host, &record, bench.settings(), bench.states,
                                bench.wNoiseSeed, bench.series, bench.times),
              0);
    EXPECT_THAT(bench.host.messages,
                ElementsAre(RecordedMessage{
                    "Simulation plan refused: pulse number 4 exceeds the 3 pulses the "
                    "simulation's working arrays hold.",
                    kStatCutoffCaption, MessageIcon::Exclamation}));
    EXPECT_EQ(record.lpErrorData, tables);
    EXPECT_EQ(record.wRecordKind, 2);
    EXPECT_EQ(bench.states, states);
}

TEST(PlanPulseNumbers, AreComputedWithoutWrapping) {
    SimulationPlan plan;
    plan.wMinPulses = 65000;
    plan.wPulsesIncrement = 600;
    plan.wPulsesSteps = 3;
    plan.wInitialNoiseLevel = 5;
    plan.wNoiseIncrement = 5;
    plan.wNoiseSteps = 4;
    EXPECT_THAT(planPulseNumbers(plan), ElementsAre(65000, 65600, 66200));
    EXPECT_THAT(planNoiseLevels(plan), ElementsAre(5, 10, 15, 20));
}

}  // namespace
}  // namespace mirovale
