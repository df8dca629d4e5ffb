#include "core/shell/dialog_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using testing::Workbench;

DialogAnswer ok(int dialog, std::vector<std::pair<int, std::string>> fields = {},
                std::vector<std::pair<int, bool>> checks = {}) {
    return {dialog, DialogResult::Ok, std::move(fields), std::move(checks)};
}
DialogAnswer cancel(int dialog) {
    return {dialog, DialogResult::Cancel, {}, {}};
}

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

// Dialog 105 with a length of 600 samples, intervals 30..100 and etalon 3.
DialogAnswer seriesDialog(std::string tmin = "30", std::string tmax = "100",
                          std::string length = "600") {
    return ok(105, {{1000, std::move(length)},
                    {1001, std::move(tmin)},
                    {1003, std::move(tmax)},
                    {1004, "3"},
                    {1005, "100"},
                    {1006, "100"}});
}

TEST(CreateSeries, ShowsThePulseRangeAndRepaintsTheRowsOfTheNewSeries) {
    Workbench w;
    w.command(IDM_JOINT_DETECTION);
    w.forget();
    w.host.queueAnswer(seriesDialog());
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

TEST(CreateSeries, CancellingEitherDialogEndsItAndTheSecondRestoresTheRequest) {
    for (const bool inSecond : {false, true}) {
        Workbench w;
        const std::vector<std::int16_t> before = w.s.lpSeriesHeader->lpPureData;
        w.host.queueAnswer(inSecond ? seriesDialog() : cancel(105));
        w.host.queueAnswer(cancel(106));
        w.command(IDM_CREATE_SERIES);
        EXPECT_EQ(dialogsRun(w.host).size(), inSecond ? 2u : 1u);
        EXPECT_EQ(w.s.wRequestedPulses, 18) << inSecond;
        EXPECT_EQ(w.s.wTmin, 40) << inSecond;
        EXPECT_EQ(w.s.dwSeriesLengthSel, 1200u) << inSecond;
        EXPECT_EQ(w.s.wSeriesType, SERIES_UNFIXED_WHOLE) << inSecond;
        EXPECT_EQ(w.s.lpSeriesHeader->lpPureData, before) << inSecond;
        EXPECT_TRUE(w.host.invalidations.empty()) << inSecond;
    }
}

// A zero interval would divide the pulse-count formulas by zero; a reversed or too short series
// has no pulse range (the messages: ValidateSeriesGeometry in tests/dialogs). The first dialog
// is refused after it closes and nothing is taken.
TEST(CreateSeriesFaults, ImpossibleGeometryIsRefusedAfterTheDialogAndTheOldValuesStay) {
    const struct {
        int line;
        std::uint16_t command;
        const char* tmin;
        const char* tmax;
        const char* length;
        const char* message;
    } cases[] = {
        {__LINE__, IDM_CREATE_SERIES, "0", "181", "1200",
         "Длина интервала должна быть больше 0!\nwTmin: 0\nwTmax: 181"},
        {__LINE__, IDM_CREATE_SERIES, "40", "abc", "1200",
         "Длина интервала должна быть больше 0!\nwTmin: 40\nwTmax: 0"},
        {__LINE__, IDM_STATISTICAL_SIMULATION, "0", "181", "1200",
         "Длина интервала должна быть больше 0!\nwTmin: 0\nwTmax: 181"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Workbench w;
        w.host.queueAnswer(seriesDialog(c.tmin, c.tmax, c.length));
        w.command(c.command);
        EXPECT_THAT(dialogsRun(w.host), ElementsAre(105)) << "the next dialog does not open";
        EXPECT_THAT(w.host.messages,
                    ElementsAre(RecordedMessage{c.message, " validateSeriesGeometry ",
                                                MessageIcon::Exclamation}));
        EXPECT_EQ(w.s.dwDialogAccepted, 0u);
        EXPECT_EQ(w.s.wTmin, 40);
        EXPECT_EQ(w.s.wTmax, 181);
        EXPECT_EQ(w.s.dwSeriesLengthSel, 1200u);
        EXPECT_EQ(w.s.wRequestedPulses, 18);
        EXPECT_EQ(w.s.lpRestErrorHeader, nullptr);
    }
}

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

TEST(NewPulses, RepairsEntriesOutsideTheAlphabetAndOnlyAddsFlags) {
    Workbench w;
    w.requireFirst(1);
    w.s.wEtalonFlags[9] = 1;  // etalon 10 stays flagged although the list no longer holds it
    w.host.queueAnswer(ok(107, {{1014, "3"}, {1013, "2,25,0"}}));
    w.command(IDM_NEW_PULSES);
    EXPECT_EQ(w.s.wRequiredCount, 3);
    // 25 is beyond the alphabet and 0 names no etalon: both become their position + 1.
    EXPECT_THAT(
        std::vector<std::uint16_t>(w.s.lpRequiredList.begin(), w.s.lpRequiredList.begin() + 3),
        ElementsAre(2, 2, 3));
    EXPECT_EQ(w.s.wEtalonFlags[0], 1);
    EXPECT_EQ(w.s.wEtalonFlags[1], 1);
    EXPECT_EQ(w.s.wEtalonFlags[2], 1);
    EXPECT_EQ(w.s.wEtalonFlags[9], 1);
    EXPECT_EQ(w.s.wEtalonFlags[3], 0);
    EXPECT_TRUE(w.host.invalidations.empty());
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

TEST(SubsetSettings, AttachTheStoredSubsetsForTupleRecognitionElseTheCompleteSubset) {
    Workbench detection;  // not tuple recognition: the subset built, laid completely
    detection.composeSubsets({4, 6}, {});
    detection.s.wSubsetEmployment = 2;
    detection.host.queueAnswer(ok(111, {}, {{1016, true}}));
    detection.command(IDM_SUBSET_SETTINGS);
    EXPECT_EQ(detection.s.wSubsetEmployment, 4);
    EXPECT_EQ(detection.s.lpSeriesHeader->wSubsetSize, 2);
    EXPECT_EQ(detection.s.lpSeriesHeader->wSubsetMode, 4);

    Workbench recognition;
    recognition.s.wProcessingTask = TASK_TUPLE_RECOGNITION;
    recognition.composeSubsets({}, {{1, 2}, {7, 8, 9}});
    recognition.s.subsetPanel.dwCurrentSubset = 1;
    recognition.host.queueAnswer(ok(111, {}, {{1015, true}}));
    recognition.command(IDM_SUBSET_SETTINGS);
    EXPECT_EQ(recognition.s.wSubsetEmployment, 1);
    const SeriesHeader& series = *recognition.s.lpSeriesHeader;
    EXPECT_EQ(series.wSubsets, 2);
    EXPECT_EQ(series.wSubsetSize, 2) << "the current subset, 1";
    EXPECT_EQ(series.wSubsetMode, 1);
}

// The chart modes the settings give are the golden chart pictures' (tests/data/views/chart_mode_*).
TEST(ShowStatisticalSimulation, ShowsOnlyACompleteSimulationWithTheDialogOfItsTask) {
    Workbench w;
    w.command(IDM_SHOW_STATISTICAL_SIMULATION);
    EXPECT_TRUE(w.host.dialogs.empty()) << "no simulation yet: nothing happens";
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
    EXPECT_EQ(w.s.dwChartMode, 3u) << "detection error, summary view";
    EXPECT_EQ(w.s.wResultView, 2);
    EXPECT_EQ(w.s.dwViewMode, VIEW_RESULTS);
    const WindowLayout l = w.layout();
    EXPECT_THAT(
        w.host.invalidations,
        ElementsAre(RecordedInvalidation{workAreaRepaintRect(l), true},
                    RecordedInvalidation{buttonsAreaRepaintRect(l), true},
                    RecordedInvalidation{optionRowRepaintRect(l, OptionHit::NoiseLevel), true}));
}

}  // namespace
}  // namespace mirovale
