#include "core/shell/dialog_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "dialog_answers.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using testing::ok;
using testing::Workbench;

std::vector<int> dialogsRun(const RecordingHost& host) {
    std::vector<int> out;
    for (const auto& d : host.dialogs) out.push_back(d.dialogId);
    return out;
}

std::string shown(const RecordingHost& host, std::size_t dialog, int control) {
    for (const auto& c : host.dialogs.at(dialog).shown)
        if (c.id == control) return c.text;
    return "(none)";
}

TEST(CreateSeries, ShowsThePulseRangeAndRepaintsTheRowsOfTheNewSeries) {
    Workbench w;
    w.command(IDM_JOINT_DETECTION);
    w.forget();
    // 600 samples, intervals 30..100, etalon 3
    w.host.queueAnswer(ok(105, {{1000, "600"}, {1001, "30"}, {1003, "100"}, {1004, "3"}}));
    w.host.queueAnswer(ok(106, {{1007, "12"}, {1010, "3,5"}, {1011, "0"}}));
    w.command(IDM_CREATE_SERIES);

    EXPECT_THAT(dialogsRun(w.host), ElementsAre(105, 106));
    // The pulse range of 600 samples with intervals 30..100: (600 + 19) / 100 to
    // (600 - 20 + 30) / 30, shown with its middle.
    EXPECT_EQ(shown(w.host, 1, 1008), "Number of Pulses in Series (from 6 to 20)");
    EXPECT_EQ(shown(w.host, 1, 1007), "13");
    EXPECT_EQ(w.s.wSeriesType, SERIES_CREATED_UNFIXED);
    EXPECT_EQ(w.s.wEtalonSequenceSize, 30) << "the sequence never shrinks";
    EXPECT_THAT(
        std::vector<std::uint16_t>(w.s.lpEtalonSequence.begin(), w.s.lpEtalonSequence.begin() + 3),
        ElementsAre(3, 5, 1));
    // The series and chains made are the golden create-series script's.
    EXPECT_EQ(w.s.lpSeriesHeader->wImpulseQuantity, 12) << "exactly the pulses asked for";
    EXPECT_EQ(w.s.dwViewMode, VIEW_RESULTS);
    const WindowLayout l = w.layout();
    EXPECT_THAT(
        w.host.invalidations,
        ElementsAre(RecordedInvalidation{workAreaRepaintRect(l), true},
                    RecordedInvalidation{optionRowRepaintRect(l, OptionHit::SeriesLength), true},
                    RecordedInvalidation{optionRowRepaintRect(l, OptionHit::NoiseLevel), true},
                    RecordedInvalidation{optionRowRepaintRect(l, OptionHit::LostDataLevel), true}));
    EXPECT_FALSE(w.s.seriesLengthRowPending || w.s.noiseLevelRowPending || w.s.lostDataRowPending);
}

// Cancelling either dialog, refused geometry (a Tmax that is not a number, a zero interval for
// the simulation), " New pulses... " repairing its entries, the subset settings and showing the
// simulation are in the golden script dialog_flows (tests/data/cli); here what the dialogs showed
// and what was repainted, which a script does not see.
TEST(SeriesParameters, MakesAnEtalonRequiredAndSelectedBeforeTheDialog) {
    Workbench none;
    none.requireFirst(0);
    none.command(CMD_SERIES_PARAMETERS);
    EXPECT_EQ(none.s.wRequiredCount, 1);
    EXPECT_EQ(none.s.lpRequiredList[0], 1);
    EXPECT_EQ(none.s.wEtalonFlags[0], 1);
    EXPECT_EQ(none.s.dwSelectedEtalon, 1u);
    EXPECT_EQ(none.s.dwDialogAccepted, 0u) << "no answer: the dialog was cancelled";

    Workbench other;
    other.s.wEtalonFlags.fill(0);
    other.s.wEtalonFlags[4] = other.s.wEtalonFlags[8] = 1;
    rebuildRequiredList(other.s);
    other.s.dwSelectedEtalon = 2;
    other.host.queueAnswer(ok(105));
    other.command(CMD_SERIES_PARAMETERS);
    EXPECT_EQ(other.s.dwSelectedEtalon, 5u) << "the first required etalon";
    EXPECT_EQ(shown(other.host, 0, 1004), "5");
    EXPECT_EQ(other.s.dwDialogAccepted, 1u);
}

// Every etalon clicked off in the grid leaves a list that exists with no entry: the dialog
// opens empty instead of with all 20, and OK takes what was typed.
TEST(NewPulses, AfterEveryEtalonIsClickedOffOpensEmptyAndTakesWhatIsTyped) {
    Workbench w;
    w.command(IDM_JOINT_DETECTION);  // a task whose cells toggle
    w.s.dwViewMode = VIEW_ETALON_GRID;
    for (const InclusiveRect& cell : w.layout().rcEtalonCells) w.clickOn(cell);
    ASSERT_EQ(w.s.wRequiredCount, 0);
    w.forget();
    w.host.queueAnswer(ok(107, {{1014, "2"}, {1013, "4,9"}}));
    w.command(IDM_NEW_PULSES);
    EXPECT_EQ(shown(w.host, 0, 1014), "0");
    EXPECT_EQ(shown(w.host, 0, 1013), "");
    EXPECT_EQ(w.s.wRequiredCount, 2);
    EXPECT_THAT(
        std::vector<std::uint16_t>(w.s.lpRequiredList.begin(), w.s.lpRequiredList.begin() + 2),
        ElementsAre(4, 9));
    EXPECT_EQ(std::count(w.s.wEtalonFlags.begin(), w.s.wEtalonFlags.end(), 1), 2);
    EXPECT_EQ(w.s.wEtalonFlags[3] & w.s.wEtalonFlags[8], 1);
}

// The chart modes the settings give are the golden chart pictures' (tests/data/views/chart_mode_*).
TEST(ShowStatisticalSimulation, ShowsOnlyACompleteSimulationWithTheDialogOfItsTask) {
    Workbench w;
    w.s.lpRestErrorHeader = getRestErrHeader(w.host, 2, 2, 1, nullptr);
    w.command(IDM_SHOW_STATISTICAL_SIMULATION);
    EXPECT_TRUE(w.host.dialogs.empty()) << "an unfinished simulation is not shown";
    EXPECT_TRUE(w.host.invalidations.empty());

    w.s.lpRestErrorHeader->ifComplete = 1;
    w.s.wTaskType = TASK_RECOGNITION;
    w.s.noiseLevelRowPending = true;
    w.host.queueAnswer(ok(114, {}, {{1029, true}, {1031, true}}));
    w.command(IDM_SHOW_STATISTICAL_SIMULATION);
    EXPECT_THAT(dialogsRun(w.host), ElementsAre(114));
    const WindowLayout l = w.layout();
    EXPECT_THAT(
        w.host.invalidations,
        ElementsAre(RecordedInvalidation{workAreaRepaintRect(l), true},
                    RecordedInvalidation{buttonsAreaRepaintRect(l), true},
                    RecordedInvalidation{optionRowRepaintRect(l, OptionHit::NoiseLevel), true}));
}

}  // namespace
}  // namespace mirovale
