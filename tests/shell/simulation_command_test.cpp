#include "core/shell/simulation_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/dialogs/series_dialogs.h"
#include "core/dialogs/settings_dialogs.h"
#include "core/host/recording_host.h"
#include "core/shell/startup.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

using L = LocationParametersDialog;

// A fresh workbench on the detection of a known number of whole pulses.
struct Workbench {
    RecordingHost host;
    ProgramState state;
    Workbench() {
        startWorkbench(host, state);
        state.wTaskType = state.wProcessingTask = TASK_JOINT_DETECTION;
        state.wSeriesType = SERIES_FIXED_WHOLE;
        host.messages.clear();
    }
    void answerSeriesDialog(DialogResult result, std::string length = "400") {
        host.queueAnswer({SeriesParametersDialog::kId, result,
                          {{SeriesParametersDialog::kSamplesLength, length}, {1004, "3"}}, {}});
    }
    void answerLocationDialog(DialogResult result, std::string from = "4", std::string to = "5") {
        host.queueAnswer({L::kId,
                          result,
                          {{L::kPulsesFrom, from},
                           {L::kPulsesTo, to},
                           {L::kRepeats, "2"},
                           {L::kInitialNoise, "10"},
                           {L::kNoiseSteps, "2"},
                           {L::kNoiseIncrement, "50"}},
                          {}});
    }
};

TEST(StatisticalSimulation, RunsThePlanOfTheTwoDialogsAndShowsTheChartSettings) {
    Workbench bench;
    bench.answerSeriesDialog(DialogResult::Ok);
    bench.answerLocationDialog(DialogResult::Ok);
    ASSERT_TRUE(statisticalSimulation(bench.host, bench.state));
    const ProgramState& s = bench.state;
    EXPECT_EQ(s.dwSeriesLength, 400u);
    EXPECT_EQ(s.dwSeriesLengthSel, 400u);
    EXPECT_EQ(s.wPulsesSteps, 2);
    EXPECT_EQ(s.dwResetSequenceOnSim, 0u);
    // The first opening filled the etalon sequence with the dialog's etalon number.
    EXPECT_THAT(std::vector(s.lpEtalonSequence.begin(), s.lpEtalonSequence.begin() + 3),
                ElementsAre(3, 3, 3));
    ASSERT_NE(s.lpRestErrorHeader, nullptr);
    EXPECT_EQ(s.lpRestErrorHeader->ifComplete, 1);
    EXPECT_THAT(s.lpRestErrorHeader->wPulseValues, ElementsAre(4, 5));
    EXPECT_THAT(s.lpRestErrorHeader->lpNoiseLevels, ElementsAre(10, 60));
    ASSERT_EQ(bench.host.messages.size(), 1u);
    EXPECT_EQ(bench.host.messages[0].caption, "getPulseEstAsRepeats");
    EXPECT_EQ(bench.host.messages[0].text,
              "Create series parameters:\n"
              "длина серии: 400\nwTmin: 40\nwTmax: 181\nдлина эталона: 20\n"
              "MinPulses: 4 -> 4\nMaxPulses: 5 -> 5\n\n"
              "pulses: 2, from 4 to 5 incr 1 \n"
              "noise level: from 10 to 2 incr 50\n"
              "number of repeats: 2\n");
    EXPECT_EQ(bench.host.dialogs.back().dialogId, 113);
    EXPECT_EQ(s.wResultView, 2);
    EXPECT_EQ(s.dwViewMode, static_cast<std::uint32_t>(VIEW_RESULTS));
}

TEST(StatisticalSimulation, ACancelInEitherDialogLeavesTheRecordsUntouched) {
    for (const bool inFirst : {true, false}) {
        Workbench bench;
        bench.answerSeriesDialog(DialogResult::Ok);
        bench.answerLocationDialog(DialogResult::Ok);
        ASSERT_TRUE(statisticalSimulation(bench.host, bench.state));
        const RestErrorHeader* record = bench.state.lpRestErrorHeader.get();
        const std::vector<std::uint32_t> tables = record->lpErrorData;
        const SeriesHeader* series = bench.state.lpSeriesHeader.get();
        const std::vector<std::int16_t> data = series->lpData;
        bench.host.messages.clear();
        bench.answerSeriesDialog(inFirst ? DialogResult::Cancel : DialogResult::Ok, "600");
        if (!inFirst) bench.answerLocationDialog(DialogResult::Cancel);
        EXPECT_FALSE(statisticalSimulation(bench.host, bench.state)) << inFirst;
        EXPECT_TRUE(bench.host.messages.empty()) << inFirst;
        EXPECT_EQ(bench.state.lpRestErrorHeader.get(), record) << inFirst;
        EXPECT_EQ(record->lpErrorData, tables) << inFirst;
        EXPECT_EQ(record->ifComplete, 1) << inFirst;
        EXPECT_EQ(bench.state.lpSeriesHeader.get(), series) << inFirst;
        EXPECT_EQ(series->lpData, data) << inFirst;
        EXPECT_EQ(bench.state.dwSeriesLength, 400u) << inFirst;
    }
}

TEST(StatisticalSimulation, ARangeEndingBeforeItStartsHasNoPulseNumbersAndIsRefused) {
    Workbench bench;
    bench.answerSeriesDialog(DialogResult::Ok);
    bench.answerLocationDialog(DialogResult::Ok, "7", "5");
    EXPECT_FALSE(statisticalSimulation(bench.host, bench.state));
    EXPECT_EQ(bench.state.wPulsesSteps, 0);
    ASSERT_EQ(bench.host.messages.size(), 2u);
    EXPECT_EQ(bench.host.messages[1],
              (RecordedMessage{"Simulation plan refused: the plan has no pulse numbers.",
                               kStatCutoffCaption, MessageIcon::Exclamation}));
    EXPECT_EQ(bench.state.lpRestErrorHeader, nullptr);
}

}  // namespace
}  // namespace mirovale
