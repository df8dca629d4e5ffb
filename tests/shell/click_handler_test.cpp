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

// What the option rows, Restart, the grid's cells, Select All and Next, and the alphabet panel's
// Next set, make and process is in the golden scripts result_view_clicks, menu_commands (the
// lost-data row), tuple_recognition and alphabet_recognition (tests/data/cli); here what is
// repainted, and the decisions a script cannot reach.
TEST(ResultViewClicks, OptionRowsRepaintTheirRowOnlyWhenTheOptionChanged) {
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
        const WindowLayout l = w.layout();
        const auto& items =
            c.row == OptionHit::SeriesLength ? l.seriesLengthItems : l.noiseLevelItems;
        w.clickOn(items[c.option]);

        std::vector<RecordedInvalidation> expected{{workAreaRepaintRect(l), true}};
        if (c.rowRepainted) expected.push_back({optionRowRepaintRect(l, c.row), true});
        EXPECT_EQ(w.host.invalidations, expected);
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

TEST(EtalonGridClicks, DetectionRepaintsBothCellsOtherTasksTheCellAndSelectAll) {
    for (const std::uint16_t task : {IDM_DETECTION, IDM_JOINT_DETECTION}) {
        Workbench w;
        w.command(task);
        w.s.dwViewMode = VIEW_ETALON_GRID;
        w.forget();
        const WindowLayout l = w.layout();
        w.clickOn(l.rcEtalonCells[6]);
        const Rect other = task == IDM_DETECTION ? etalonCellRepaintRect(l, 0)
                                                 : selectAllButtonRepaintRect(l);
        EXPECT_THAT(w.host.invalidations,
                    ElementsAre(RecordedInvalidation{etalonCellRepaintRect(l, 6), true},
                                RecordedInvalidation{other, true}))
            << task;
    }
}

TEST(EtalonGridClicks, NextWithoutTheSubsetOfATupleSeriesTurnsToTheSubsetPanelQuietly) {
    Workbench tuples;
    tuples.command(IDM_FIXED_TUPLES);
    tuples.command(IDM_JOINT_DETECTION);
    tuples.s.dwViewMode = VIEW_ETALON_GRID;
    tuples.forget();
    tuples.clickOn(tuples.layout().nextButton);
    EXPECT_EQ(tuples.s.dwViewMode, VIEW_SUBSET_PANEL);
    EXPECT_TRUE(tuples.host.invalidations.empty());
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
