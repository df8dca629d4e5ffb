#include "core/shell/click_handler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using testing::Workbench;

// A joint-detection workbench showing a processed series.
void showResults(Workbench& w) {
    w.command(IDM_JOINT_DETECTION);
    w.s.dwSeriesLengthSel = 600;
    w.command(IDM_PROCESS_NEXT);
    ASSERT_EQ(w.s.dwViewMode, VIEW_RESULTS);
    w.forget();
}

TEST(ResultViewClicks, OptionRowsTakeTheOptionAndRemakeTheSeriesAtOnce) {
    const struct {
        int line;
        OptionHit::Row row;
        std::size_t option;
        bool rowRepainted;  // only when the option changed
    } cases[] = {
        {__LINE__, OptionHit::SeriesLength, 0, true},
        {__LINE__, OptionHit::SeriesLength, 2, true},  // 1200, in effect before but not chosen
        {__LINE__, OptionHit::NoiseLevel, 0, false},   // the level already chosen
        {__LINE__, OptionHit::NoiseLevel, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Workbench w;
        showResults(w);
        w.s.dwSeriesLengthIndex = 2;  // 600 chosen and in effect
        const std::vector<std::int16_t> before = w.s.lpSeriesHeader->lpData;
        const WindowLayout l = w.layout();
        const auto& items =
            c.row == OptionHit::SeriesLength ? l.seriesLengthItems : l.noiseLevelItems;
        w.clickOn(items[c.option]);

        EXPECT_NE(w.s.lpSeriesHeader->lpData, before) << "a new series";
        const auto& options =
            c.row == OptionHit::SeriesLength ? w.s.dwSeriesLengthOptions : w.s.dwNoiseLevelOptions;
        if (c.row == OptionHit::SeriesLength) {
            EXPECT_EQ(w.s.dwSeriesLengthIndex, c.option + 1);
            EXPECT_EQ(w.s.dwSeriesLength, options[c.option + 1]);
            EXPECT_EQ(w.s.lpSeriesHeader->dwSeriesSize, options[c.option + 1]);
        } else {
            EXPECT_EQ(w.s.dwNoiseLevelIndex, c.option + 1);
            EXPECT_EQ(static_cast<std::uint32_t>(w.s.wNoiseLevel), options[c.option + 1]);
        }
        std::vector<RecordedInvalidation> expected{{workAreaRepaintRect(l), true}};
        if (c.rowRepainted) expected.push_back({optionRowRepaintRect(l, c.row), true});
        EXPECT_EQ(w.host.invalidations, expected);
    }
}

TEST(ResultViewClicks, TheLostDataRowOfACutOffSeriesTakesTheSavedEnergy) {
    Workbench w;
    w.command(IDM_UNFIXED_CUTOFF);
    showResults(w);
    const WindowLayout l = w.layout();
    ASSERT_TRUE(l.hasLostDataRow);
    w.clickOn(l.lostDataItems[2]);
    EXPECT_EQ(w.s.dwLostLevelIndex, 3u);
    EXPECT_EQ(w.s.wLostLevel, 50);
    EXPECT_EQ(w.s.wSavedEnergyMaking, 50);
    EXPECT_EQ(w.s.wSavedEnergyProcessing, 50);
    EXPECT_EQ(w.s.lpChainsHeader->wMakingLevel, 50);
    EXPECT_THAT(
        w.host.invalidations,
        ElementsAre(RecordedInvalidation{workAreaRepaintRect(l), true},
                    RecordedInvalidation{optionRowRepaintRect(l, OptionHit::LostDataLevel), true}));
}

TEST(ResultViewClicks, RestartReturnsToTheViewOfTheTask) {
    const struct {
        int line;
        std::uint16_t task;
        std::uint32_t view;
    } cases[] = {
        {__LINE__, TASK_JOINT_DETECTION, VIEW_ETALON_GRID},
        {__LINE__, TASK_TUPLE_RECOGNITION, VIEW_SUBSET_PANEL},
        {__LINE__, TASK_ALPHABET_RECOGNITION, VIEW_ALPHABET_PANEL},
    };
    for (const auto& c : cases) {
        Workbench w;
        w.s.dwViewMode = VIEW_RESULTS;
        w.s.wProcessingTask = c.task;
        w.clickOn(w.layout().restartButton);
        EXPECT_EQ(w.s.dwViewMode, c.view) << c.line;
        EXPECT_TRUE(w.invalidated(workAreaRepaintRect(w.layout()))) << c.line;
    }
}

TEST(ResultViewClicks, AStoredSubsetLabelMakesItCurrentAndProcessesAgain) {
    Workbench w;
    w.command(IDM_UNFIXED_TUPLES);
    w.command(IDM_RECOGNITION);
    w.s.wProcessingTask = TASK_TUPLE_RECOGNITION;
    w.s.dwSeriesLengthSel = 600;
    w.requireFirst(4);
    w.composeSubsets({1}, {{1, 2}, {3, 4}});
    w.s.subsetPanel.subsetLabelRect[1] = {100, 700, 140, 715};
    w.s.dwViewMode = VIEW_RESULTS;
    handleClick(w.host, w.s, 140, 715);  // the label's bottom right corner
    EXPECT_EQ(w.s.subsetPanel.dwCurrentSubset, 2u);
    EXPECT_EQ(w.s.lpSeriesHeader->wSubsets, 2);
    EXPECT_EQ(w.s.lpChainsHeader->wTaskType, TASK_TUPLE_RECOGNITION);
    EXPECT_EQ(w.s.lpChainsHeader->wMark, 2);
}

TEST(EtalonGridClicks, DetectionSelectsOneEtalonOtherTasksToggleIt) {
    Workbench detection;
    detection.command(IDM_DETECTION);
    detection.s.dwViewMode = VIEW_ETALON_GRID;
    detection.forget();
    const WindowLayout l = detection.layout();
    detection.clickOn(l.rcEtalonCells[6]);
    EXPECT_EQ(detection.s.wRequiredCount, 1);
    EXPECT_EQ(detection.s.lpRequiredList[0], 7);
    EXPECT_EQ(detection.s.dwSelectedEtalon, 7u);
    EXPECT_EQ(detection.s.dwPrevSelectedEtalon, 1u);
    EXPECT_TRUE(detection.s.buttonsAreaPending);
    EXPECT_THAT(detection.host.invalidations,
                ElementsAre(RecordedInvalidation{etalonCellRepaintRect(l, 6), true},
                            RecordedInvalidation{etalonCellRepaintRect(l, 0), true}));
    detection.clickOn(l.rcEtalonCells[6]);
    EXPECT_EQ(detection.s.wRequiredCount, 1) << "a second click keeps it selected";

    Workbench joint;
    joint.command(IDM_JOINT_DETECTION);
    joint.s.dwViewMode = VIEW_ETALON_GRID;
    joint.forget();
    joint.clickOn(l.rcEtalonCells[6]);
    EXPECT_EQ(joint.s.wRequiredCount, 19);
    EXPECT_EQ(joint.s.wEtalonFlags[6], 0);
    EXPECT_FALSE(joint.s.buttonsAreaPending);
    EXPECT_THAT(joint.host.invalidations,
                ElementsAre(RecordedInvalidation{etalonCellRepaintRect(l, 6), true},
                            RecordedInvalidation{selectAllButtonRepaintRect(l), true}));
    joint.clickOn(l.rcEtalonCells[6]);
    EXPECT_EQ(joint.s.wRequiredCount, 20);
}

TEST(EtalonGridClicks, NextAndSelectAllFollowTheRequiredEtalons) {
    Workbench tuples;  // a tuple series without a subset turns to the subset panel, quietly
    tuples.command(IDM_FIXED_TUPLES);
    tuples.command(IDM_JOINT_DETECTION);
    tuples.s.dwViewMode = VIEW_ETALON_GRID;
    tuples.forget();
    tuples.clickOn(tuples.layout().nextButton);
    EXPECT_EQ(tuples.s.dwViewMode, VIEW_SUBSET_PANEL);
    EXPECT_TRUE(tuples.host.invalidations.empty());

    Workbench w;
    w.command(IDM_JOINT_DETECTION);
    w.s.dwViewMode = VIEW_ETALON_GRID;
    const WindowLayout l = w.layout();
    ASSERT_TRUE(l.hasSelectAll);
    w.clickOn(l.selectAllButton);  // all 20 required: Unselect All
    EXPECT_EQ(w.s.wRequiredCount, 0);
    EXPECT_EQ(selectAllMode(w.s), SelectAllMode::SelectAll);
    w.forget();
    w.clickOn(l.nextButton);  // nothing required: nothing made
    EXPECT_EQ(w.s.dwViewMode, VIEW_ETALON_GRID);
    EXPECT_TRUE(w.host.invalidations.empty());
    w.clickOn(l.selectAllButton);
    EXPECT_EQ(w.s.wRequiredCount, 20);
    EXPECT_EQ(w.s.lpRequiredList[19], 20);
    EXPECT_TRUE(w.invalidated(workAreaRepaintRect(l)));
    w.clickOn(l.nextButton);
    EXPECT_EQ(w.s.dwViewMode, VIEW_RESULTS);
    EXPECT_EQ(w.s.lpChainsHeader->wMark, 2);
    w.clickOn(l.exitButton);
    EXPECT_EQ(w.host.closeRequests, 1);
}

TEST(NextStepDecision, AttachesThePanelsSelectionsOrTurnsToThePanel) {
    const struct {
        int line;
        std::uint16_t task;
        std::uint32_t view;
        bool selections;
        std::uint16_t command;
        std::uint32_t viewAfter;
        bool attached;
    } cases[] = {
        {__LINE__, TASK_TUPLE_DETECTION, VIEW_RESULTS, true, CMD_NEXT_DATA, VIEW_RESULTS, true},
        {__LINE__, TASK_TUPLE_DETECTION, VIEW_RESULTS, false, CMD_SHOW_SUBSET_LIST,
         VIEW_SUBSET_PANEL, false},
        {__LINE__, TASK_TUPLE_RECOGNITION, VIEW_RESULTS, true, CMD_NEXT_DATA, VIEW_RESULTS, true},
        {__LINE__, TASK_TUPLE_RECOGNITION, VIEW_RESULTS, false, CMD_SHOW_SUBSET_LIST,
         VIEW_SUBSET_PANEL, false},
        {__LINE__, TASK_ALPHABET_RECOGNITION, VIEW_ALPHABET_PANEL, true, CMD_NEXT_DATA,
         VIEW_RESULTS, true},
        {__LINE__, TASK_ALPHABET_RECOGNITION, VIEW_RESULTS, true, CMD_NEXT_DATA, VIEW_RESULTS,
         false},
        {__LINE__, TASK_ALPHABET_RECOGNITION, VIEW_ALPHABET_PANEL, false, CMD_SHOW_ALPHABET_LIST,
         VIEW_ALPHABET_PANEL, false},
        {__LINE__, TASK_JOINT_DETECTION, VIEW_ETALON_GRID, true, CMD_NEXT_DATA, VIEW_RESULTS,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Workbench w;
        if (c.selections) {
            w.composeSubsets({2, 5}, {{2, 5}, {7}});
            w.composeAlphabets({{1, 2}, {3, 4}});
        }
        w.s.wProcessingTask = c.task;
        w.s.dwViewMode = c.view;
        EXPECT_EQ(decideNextStep(w.host, w.s), c.command);
        EXPECT_EQ(w.s.dwViewMode, c.viewAfter);
        EXPECT_EQ(w.s.buttonsAreaPending, c.attached);
        const SeriesHeader& series = *w.s.lpSeriesHeader;
        const bool subsetAttached = series.wSubsetSize > 0;
        const bool alphabetsAttached = series.wAlphabets > 0;
        EXPECT_EQ(subsetAttached || alphabetsAttached, c.attached);
    }
    Workbench none;  // no etalon required: back to the grid
    none.requireFirst(0);
    none.s.wProcessingTask = TASK_JOINT_DETECTION;
    EXPECT_EQ(decideNextStep(none.host, none.s), CMD_APPLY_OPTIONS);
    EXPECT_EQ(none.s.dwViewMode, VIEW_ETALON_GRID);
}

TEST(PanelViewClicks, NextInTheAlphabetPanelAttachesTheAlphabetsAndRecognisesThem) {
    Workbench w;  // the start-up view: alphabet recognition in the alphabet panel
    w.s.dwSeriesLengthSel = 600;
    w.composeAlphabets({{1, 2, 3}, {4, 5, 6}});
    w.clickOn(w.layout().nextButton);
    EXPECT_EQ(w.s.dwViewMode, VIEW_RESULTS);
    EXPECT_EQ(w.s.lpSeriesHeader->wAlphabets, 2);
    EXPECT_EQ(w.s.lpSeriesHeader->wCurrentAlphabet, 2);
    for (std::size_t i = 0; i < w.s.lpSeriesHeader->wImpulseQuantity; ++i)
        EXPECT_GE(w.s.lpSeriesHeader->lpEtalonNumbers[i], 4) << "drawn from alphabet 2";
    EXPECT_EQ(w.s.lpChainsHeader->wTaskType, TASK_ALPHABET_RECOGNITION);
    EXPECT_GT(w.s.lpChainsHeader->wPretenders, 0);
    EXPECT_TRUE(w.invalidated(buttonsAreaRepaintRect(w.layout())));
}

TEST(EmptyViewClicks, OnlyTheOptionRowsAnswerAndAMissSendsNothing) {
    Workbench w;
    w.s.dwViewMode = VIEW_NOTHING_7;
    w.command(IDM_JOINT_DETECTION);
    const WindowLayout l = w.layout();
    w.forget();
    w.clickOn(l.nextButton);
    EXPECT_EQ(w.s.dwViewMode, VIEW_NOTHING_7);
    EXPECT_TRUE(w.host.invalidations.empty());
    w.clickOn(l.noiseLevelItems[1]);  // from another view: the buttons area is repainted too
    EXPECT_EQ(w.s.dwViewMode, VIEW_RESULTS);
    EXPECT_EQ(w.s.dwPrevViewMode, VIEW_NOTHING_7);
    EXPECT_EQ(w.s.wNoiseLevel, 35);
    EXPECT_TRUE(w.invalidated(buttonsAreaRepaintRect(l)));
}

}  // namespace
}  // namespace mirovale
