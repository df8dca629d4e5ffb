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

// A fresh workbench on joint detection of a known number of whole pulses; the two parameter
// dialogs answered with a 400-sample series of etalon 3 and pulse numbers `from`..`to`.
struct Workbench {
    RecordingHost host;
    ProgramState state;
    Workbench() {
        startWorkbench(host, state);
        state.wTaskType = state.wProcessingTask = TASK_JOINT_DETECTION;
        state.wSeriesType = SERIES_FIXED_WHOLE;
    }
    void answer(DialogResult first, DialogResult second, std::string from = "4") {
        host.queueAnswer({SeriesParametersDialog::kId, first, {{1000, "400"}, {1004, "3"}}, {}});
        host.queueAnswer({L::kId,
                          second,
                          {{L::kPulsesFrom, from},
                           {L::kPulsesTo, "5"},
                           {L::kRepeats, "2"},
                           {L::kInitialNoise, "10"},
                           {L::kNoiseSteps, "2"},
                           {L::kNoiseIncrement, "50"}},
                          {}});
        host.messages.clear();
    }
};

TEST(StatisticalSimulation, RunsThePlanOfTheTwoDialogsAndShowsTheChartSettings) {
    Workbench bench;
    bench.answer(DialogResult::Ok, DialogResult::Ok);
    ASSERT_TRUE(statisticalSimulation(bench.host, bench.state));
    const ProgramState& s = bench.state;
    EXPECT_EQ(s.dwSeriesLengthSel, 400u);
    // The first opening filled the etalon sequence with the dialog's etalon number.
    EXPECT_THAT(std::vector(s.lpEtalonSequence.begin(), s.lpEtalonSequence.begin() + 3),
                ElementsAre(3, 3, 3));
    EXPECT_EQ(s.lpRestErrorHeader->ifComplete, 1);
    EXPECT_THAT(s.lpRestErrorHeader->lpNoiseLevels, ElementsAre(10, 60));
    // Its message is the golden small-simulation script's.
    EXPECT_EQ(bench.host.dialogs.back().dialogId, 113);  // " Show Statistical Simulation"

    // A range ending before it starts has no pulse numbers instead of 65534 of them.
    bench.answer(DialogResult::Ok, DialogResult::Ok, "7");
    EXPECT_FALSE(statisticalSimulation(bench.host, bench.state));
    EXPECT_EQ(s.wPulsesSteps, 0);
    EXPECT_EQ(bench.host.messages.back().text,
              "План моделирования отклонён: в плане нет ни одного числа импульсов.");
}

TEST(StatisticalSimulation, ACancelInEitherDialogLeavesTheRecordsUntouched) {
    for (const bool inFirst : {true, false}) {
        Workbench bench;
        bench.answer(DialogResult::Ok, DialogResult::Ok);
        ASSERT_TRUE(statisticalSimulation(bench.host, bench.state));
        const RestErrorHeader* record = bench.state.lpRestErrorHeader.get();
        const std::vector<std::uint32_t> tables = record->lpErrorData;
        const std::vector<std::int16_t> data = bench.state.lpSeriesHeader->lpData;
        bench.answer(inFirst ? DialogResult::Cancel : DialogResult::Ok, DialogResult::Cancel);
        EXPECT_FALSE(statisticalSimulation(bench.host, bench.state)) << inFirst;
        EXPECT_TRUE(bench.host.messages.empty()) << inFirst;
        EXPECT_EQ(bench.state.lpRestErrorHeader.get(), record) << inFirst;
        EXPECT_EQ(record->lpErrorData, tables) << inFirst;
        EXPECT_EQ(bench.state.lpSeriesHeader->lpData, data) << inFirst;
    }
}

}  // namespace
}  // namespace mirovale
