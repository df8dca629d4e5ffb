#include "core/shell/command_handler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "core/dialogs/series_dialogs.h"
#include "core/display/panel_geometry.h"
#include "core/shell/commands.h"
#include "core/shell/dialog_commands.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using testing::Workbench;

std::vector<std::uint16_t> checkedItems(const RecordingHost& host) {
    std::vector<std::uint16_t> out;
    for (const auto& c : host.menuChecks)
        if (c.checked) out.push_back(c.commandId);
    return out;
}
std::vector<std::uint16_t> uncheckedItems(const RecordingHost& host) {
    std::vector<std::uint16_t> out;
    for (const auto& c : host.menuChecks)
        if (!c.checked) out.push_back(c.commandId);
    return out;
}

TEST(TaskCommands, SetTheTaskAndKeepTheFourTaskCheckMarks) {
    const struct {
        int line;
        std::uint16_t command;
        std::uint16_t seriesType;
        std::uint16_t task;
        std::uint16_t processingTask;
        std::uint16_t required;  // required etalons afterwards
        std::vector<std::uint16_t> unchecked;
    } cases[] = {
        // Detection of whole pulses keeps only the selected etalon (1) required.
        {__LINE__, IDM_DETECTION, 4, 1, 1, 1, {40006, 40007, 40027}},
        // On a tuple series detection becomes tuple detection and touches nothing else.
        {__LINE__, IDM_DETECTION, 36, 1, 36, 20, {40006, 40007, 40027}},
        {__LINE__, IDM_DETECTION, 40, 1, 36, 20, {40006, 40007, 40027}},
        {__LINE__, IDM_RECOGNITION, 4, 2, 2, 20, {40005, 40007, 40027}},
        {__LINE__, IDM_RECOGNITION, 36, 2, 40, 20, {40005, 40007, 40027}},
        // The command's narrower rule: only type 36 turns recognition into tuple recognition.
        {__LINE__, IDM_RECOGNITION, 40, 2, 2, 20, {40005, 40007, 40027}},
        {__LINE__, IDM_JOINT_DETECTION, 8, 4, 4, 20, {40005, 40006, 40027}},
        {__LINE__, IDM_SERIES_PROCESSING, 1, 64, 64, 20, {40005, 40006, 40007}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Workbench w;
        w.s.wSeriesType = c.seriesType;
        w.s.wResultView = 2;
        w.command(c.command);
        EXPECT_EQ(w.s.wTaskType, c.task);
        EXPECT_EQ(w.s.wProcessingTask, c.processingTask);
        EXPECT_EQ(w.s.wRequiredCount, c.required);
        EXPECT_EQ(w.s.wResultView, c.command == IDM_SERIES_PROCESSING ? 1 : 2);
        EXPECT_THAT(checkedItems(w.host), ElementsAre(c.command));
        EXPECT_EQ(uncheckedItems(w.host), c.unchecked);
        EXPECT_TRUE(w.host.invalidations.empty());
        EXPECT_TRUE(w.host.messages.empty());
    }

    Workbench w;  // " Alphabet Recognition" has no action
    w.command(IDM_ALPHABET_RECOGNITION);
    EXPECT_EQ(w.s.wTaskType, TASK_ALPHABET_RECOGNITION);
    EXPECT_TRUE(w.host.menuChecks.empty());
}

TEST(SeriesTypeCommands, CheckTheirItemAloneAndResetTheLostLevelOfWholePulses) {
    const struct {
        int line;
        std::uint16_t command;
        std::uint16_t type;
        bool keepsLostLevel;
    } cases[] = {
        {__LINE__, IDM_FIXED_WHOLE, 1, false},   {__LINE__, IDM_UNFIXED_WHOLE, 4, false},
        {__LINE__, IDM_FIXED_CUTOFF, 2, true},   {__LINE__, IDM_UNFIXED_CUTOFF, 8, true},
        {__LINE__, IDM_FIXED_TUPLES, 36, false}, {__LINE__, IDM_UNFIXED_TUPLES, 40, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Workbench w;
        // A cut-off series with half of the energy lost.
        w.s.dwLostLevelIndex = 3;
        w.s.wLostLevelSel = w.s.wLostLevel = 50;
        w.s.wSavedEnergyMakingSel = w.s.wSavedEnergyMaking = w.s.wTmpSavedEnergyMaking = 50;
        w.s.wSavedEnergyProcessingSel = w.s.wSavedEnergyProcessing = 50;
        w.command(c.command);
        EXPECT_EQ(w.s.wSeriesType, c.type);
        EXPECT_THAT(checkedItems(w.host), ElementsAre(c.command));
        EXPECT_EQ(uncheckedItems(w.host).size(), 5u);
        const std::uint16_t energy = c.keepsLostLevel ? 50 : 100;
        EXPECT_EQ(w.s.dwLostLevelIndex, c.keepsLostLevel ? 3u : 1u);
        EXPECT_EQ(w.s.wLostLevel, c.keepsLostLevel ? 50 : 0);
        EXPECT_EQ(w.s.wLostLevelSel, w.s.wLostLevel);
        for (const std::uint16_t level :
             {w.s.wSavedEnergyMaking, w.s.wSavedEnergyMakingSel, w.s.wTmpSavedEnergyMaking,
              w.s.wSavedEnergyProcessing, w.s.wSavedEnergyProcessingSel})
            EXPECT_EQ(level, energy);
        EXPECT_TRUE(w.host.invalidations.empty());
    }
}

TEST(ProcessingCommands, RerunTheFlowWithWhatTheySet) {
    const struct {
        int line;
        std::uint16_t command;
        bool newSeries;  // false: the current series is processed again
        std::uint16_t resultView;
        std::uint16_t task;
        std::uint16_t type;
    } cases[] = {
        {__LINE__, IDM_PROCESS_SAME, false, 1, 4, 8},
        {__LINE__, IDM_PROCESS_NEXT, true, 1, 4, 8},
        {__LINE__, IDM_MORE_DETAILS, false, 1, 4, 8},
        {__LINE__, IDM_FIXED_CASE, true, 1, 4, 1},
        {__LINE__, IDM_UNFIXED_CASE, true, 1, 4, 4},
        {__LINE__, IDM_REPEAT_DETECTION, true, 1, 1, 8},
        {__LINE__, IDM_REPEAT_RECOGNITION, true, 1, 2, 8},
        {__LINE__, IDM_REPEAT_JOINT_DETECTION, true, 1, 4, 8},
        {__LINE__, IDM_REPEAT_SERIES_PROCESSING, true, 1, 64, 8},
        {__LINE__, IDM_DEBUGGING_REPEAT, false, 1, 4, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Workbench w;
        w.s.wTaskType = TASK_JOINT_DETECTION;
        w.s.wSeriesType = SERIES_UNFIXED_CUTOFF;
        w.s.wResultView = 2;
        w.s.dwSeriesLengthSel = 600;
        w.requireFirst(4);
        const std::vector<std::int16_t> before = w.s.lpSeriesHeader->lpPureData;
        w.command(c.command);
        ASSERT_NE(w.s.lpSeriesHeader, nullptr);
        EXPECT_EQ(w.s.lpSeriesHeader->lpPureData != before, c.newSeries);
        EXPECT_EQ(w.s.dwSeriesLength, c.newSeries ? 600u : 1200u);
        EXPECT_EQ(w.s.wResultView, c.resultView);
        EXPECT_EQ(w.s.wTaskType, c.task);
        EXPECT_EQ(w.s.wSeriesType, c.type);
        EXPECT_EQ(w.s.lpChainsHeader->wMark, 2);
        EXPECT_EQ(w.s.lpChainsHeader->wSeriesType, c.type);
        EXPECT_EQ(w.s.dwViewMode, VIEW_RESULTS);
        EXPECT_TRUE(w.host.menuChecks.empty()) << "check marks stay";
        ASSERT_EQ(w.host.invalidations.size(), 1u);
        EXPECT_EQ(w.host.invalidations[0],
                  (RecordedInvalidation{workAreaRepaintRect(w.layout()), true}));
    }
}

TEST(ProcessingCommands, TypeMoreDetailsRepaintsWithoutErasingAndShowsTheFlaggedParts) {
    Workbench w;
    w.s.seriesLengthRowPending = w.s.lostDataRowPending = w.s.buttonsAreaPending = true;
    w.command(IDM_TYPE_MORE_DETAILS);
    EXPECT_EQ(w.s.dwTypeMoreDetails, 1u);
    EXPECT_EQ(w.s.lpChainsHeader->wMark, 0) << "nothing is processed";
    const WindowLayout l = w.layout();
    EXPECT_THAT(
        w.host.invalidations,
        ElementsAre(RecordedInvalidation{workAreaRepaintRect(l), false},
                    RecordedInvalidation{optionRowRepaintRect(l, OptionHit::SeriesLength), true},
                    RecordedInvalidation{optionRowRepaintRect(l, OptionHit::LostDataLevel), true},
                    RecordedInvalidation{buttonsAreaRepaintRect(l), true}));
    EXPECT_FALSE(w.s.seriesLengthRowPending || w.s.lostDataRowPending || w.s.buttonsAreaPending);
}

TEST(RepaintCommands, InvalidateTheirRectangles) {
    using Rects = std::function<std::vector<RecordedInvalidation>(const Workbench&)>;
    const auto whole = [](const Workbench&) {
        return std::vector<RecordedInvalidation>{{Rect{0, 0, 1280, 800}, true}};
    };
    const auto panel = [](const Workbench& w) {
        return panelGeometry(w.layout(), w.s.lpSeriesHeader.get(), 10, 10);
    };
    const struct {
        int line;
        std::uint16_t command;
        std::function<void(Workbench&)> setUp;
        Rects expected;
    } cases[] = {
        {__LINE__, CMD_REPAINT_ALL, [](Workbench&) {}, whole},
        {__LINE__, CMD_REPAINT_WORK_AREA, [](Workbench&) {},
         [](const Workbench& w) {
             return std::vector<RecordedInvalidation>{{workAreaRepaintRect(w.layout()), true}};
         }},
        // Detection repaints the old and the new highlighted cell.
        {__LINE__, CMD_SHOW_SELECTED_ETALON,
         [](Workbench& w) {
             w.s.wProcessingTask = TASK_DETECTION;
             w.s.dwSelectedEtalon = 7;
             w.s.dwPrevSelectedEtalon = 2;
         },
         [](const Workbench& w) {
             const WindowLayout l = w.layout();
             return std::vector<RecordedInvalidation>{{etalonCellRepaintRect(l, 6), true},
                                                      {etalonCellRepaintRect(l, 1), true}};
         }},
        // Other tasks repaint the new cell and the select-all button, whose look may change.
        {__LINE__, CMD_SHOW_SELECTED_ETALON,
         [](Workbench& w) {
             w.s.wProcessingTask = TASK_JOINT_DETECTION;
             w.s.dwSelectedEtalon = 20;
         },
         [](const Workbench& w) {
             const WindowLayout l = w.layout();
             return std::vector<RecordedInvalidation>{{etalonCellRepaintRect(l, 19), true},
                                                      {selectAllButtonRepaintRect(l), true}};
         }},
        {__LINE__, CMD_SHOW_ETALON_GRID,
         [](Workbench& w) {
             w.s.wProcessingTask = TASK_JOINT_DETECTION;
             w.s.buttonsAreaPending = true;
         },
         [](const Workbench& w) {
             const WindowLayout l = w.layout();
             return std::vector<RecordedInvalidation>{{workAreaRepaintRect(l), true},
                                                      {selectAllButtonRepaintRect(l), true},
                                                      {buttonsAreaRepaintRect(l), true}};
         }},
        {__LINE__, CMD_SHOW_ETALON_GRID, [](Workbench& w) { w.s.wProcessingTask = TASK_DETECTION; },
         [](const Workbench& w) {
             return std::vector<RecordedInvalidation>{{workAreaRepaintRect(w.layout()), true}};
         }},
        {__LINE__, CMD_SHOW_SUBSET_PANEL, [](Workbench&) {},
         [=](const Workbench& w) {
             return std::vector<RecordedInvalidation>{{wholeRect(panel(w).panelAreaRect), true}};
         }},
        {__LINE__, CMD_SHOW_SUBSET_LIST, [](Workbench& w) { w.composeSubsets({}, {{1}}); },
         [=](const Workbench& w) {
             std::vector<RecordedInvalidation> out;
             for (const auto& frame : panel(w).rowFrames) out.push_back({wholeRect(frame), true});
             out.push_back({wholeRect(panel(w).panelAreaRect), true});
             return out;
         }},
        {__LINE__, CMD_SHOW_ALPHABET_ITEM,
         [](Workbench& w) { w.s.alphabetPanel.dwRepaintItem = 13; },
         [=](const Workbench& w) {
             return std::vector<RecordedInvalidation>{{wholeRect(panel(w).itemRects[13]), true}};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Workbench w;
        c.setUp(w);
        w.forget();
        w.command(c.command);
        EXPECT_EQ(w.host.invalidations, c.expected(w));
        EXPECT_TRUE(w.host.messages.empty());
    }
}

TEST(RepaintCommands, ApplyOptionsTakesThePendingValuesFromTheOptionIndexes) {
    Workbench w;
    w.s.dwSeriesLengthIndex = 1;
    w.s.dwNoiseLevelIndex = 2;
    w.s.dwLostLevelIndex = 3;
    w.command(CMD_APPLY_OPTIONS);
    EXPECT_EQ(w.s.dwSeriesLengthSel, 200u);
    EXPECT_EQ(w.s.wMinPulses, 1);  // (200 + 19) / 181
    EXPECT_EQ(w.s.wMaxPulses, 5);  // (200 - 20 + 40) / 40
    EXPECT_EQ(w.s.wRequestedPulses, 3);
    EXPECT_EQ(w.s.wNoiseLevelSel, 35);
    EXPECT_EQ(w.s.wLostLevelSel, 50);
    EXPECT_EQ(w.s.wSavedEnergyMakingSel, 50);
    EXPECT_EQ(w.s.wSavedEnergyProcessingSel, 50);
    EXPECT_EQ(w.s.dwSeriesLength, 1200u) << "the values in effect wait for the next series";
    EXPECT_THAT(w.host.invalidations,
                ElementsAre(RecordedInvalidation{Rect{0, 0, 1280, 800}, true}));
}

TEST(ViewCommands, SwitchTheWorkAreaToTheirPanel) {
    const struct {
        int line;
        std::uint16_t command;
        std::uint32_t view;
    } cases[] = {
        {__LINE__, IDM_SELECT_SUBSETS, VIEW_SUBSET_PANEL},
        {__LINE__, IDM_SELECT_ALPHABETS, VIEW_ALPHABET_PANEL},
        {__LINE__, IDM_VIEW_SERIES_PARAMETERS, VIEW_PARAMS_PANEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Workbench w;
        w.s.dwViewMode = VIEW_RESULTS;
        w.command(c.command);
        EXPECT_EQ(w.s.dwViewMode, c.view);
        EXPECT_THAT(w.host.invalidations,
                    ElementsAre(RecordedInvalidation{workAreaRepaintRect(w.layout()), true}));
        EXPECT_EQ(w.s.lpParamsHeader != nullptr, c.command == IDM_VIEW_SERIES_PARAMETERS);
    }
    Workbench w;
    w.command(IDM_VIEW_SERIES_PARAMETERS);
    EXPECT_EQ(w.s.lpParamsHeader->dwSeriesSize, 1200);
    EXPECT_EQ(w.s.lpParamsHeader->dwPulses, w.s.lpSeriesHeader->wImpulseQuantity);
}

TEST(CloseAndNoOpCommands, CloseAsksTheWindowAndTheRestChangeNothing) {
    for (const std::uint16_t command : {IDM_EXIT, CMD_CLOSE}) {
        Workbench w;
        w.command(command);
        EXPECT_EQ(w.host.closeRequests, 1) << command;
    }
    for (const std::uint16_t command : {217, 219, 220, 40014, 40013, 12345, 0}) {
        Workbench w;
        const std::vector<std::int16_t> before = w.s.lpSeriesHeader->lpData;
        w.command(command);
        EXPECT_TRUE(w.host.invalidations.empty()) << command;
        EXPECT_TRUE(w.host.dialogs.empty()) << command;
        EXPECT_EQ(w.s.lpSeriesHeader->lpData, before) << command;
        EXPECT_EQ(w.host.closeRequests, 0) << command;
    }
}

}  // namespace
}  // namespace mirovale
