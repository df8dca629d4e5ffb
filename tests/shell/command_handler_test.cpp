#include "core/shell/command_handler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <span>

#include "core/dialogs/series_dialogs.h"
#include "core/display/panel_geometry.h"
#include "core/shell/commands.h"
#include "core/shell/dialog_commands.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using testing::Workbench;

// The items the host was asked to check, or to uncheck.
std::vector<std::uint16_t> itemsMarked(const RecordingHost& host, bool checked) {
    std::vector<std::uint16_t> out;
    for (const auto& c : host.menuChecks)
        if (c.checked == checked) out.push_back(c.commandId);
    return out;
}

// What the task, series-type and processing commands set is in the golden script menu_commands
// (tests/data/cli); here the check marks, which a script does not see.
TEST(MenuCommands, CheckTheirItemAloneAndUncheckTheRestOfTheirGroup) {
    const std::span<const std::uint16_t> tasks(kTaskItems, 4);  // " Alphabet Recognition" is not kept
    for (const std::span<const std::uint16_t> group :
         {tasks, std::span<const std::uint16_t>(kSeriesTypeItems)}) {
        for (const std::uint16_t command : group) {
            Workbench w;
            w.s.wResultView = 2;
            w.command(command);
            EXPECT_EQ(w.s.wResultView, command == IDM_SERIES_PROCESSING ? 1 : 2) << command;
            std::vector<std::uint16_t> others;
            for (const std::uint16_t item : group)
                if (item != command) others.push_back(item);
            EXPECT_THAT(itemsMarked(w.host, true), ElementsAre(command));
            EXPECT_EQ(itemsMarked(w.host, false), others) << command;
            EXPECT_TRUE(w.host.invalidations.empty()) << command;
        }
    }
    Workbench w;  // " Alphabet Recognition" has no action
    w.command(IDM_DETECTION);
    w.forget();
    w.command(IDM_ALPHABET_RECOGNITION);
    EXPECT_EQ(w.s.wTaskType, TASK_DETECTION);
    EXPECT_TRUE(w.host.menuChecks.empty());
    for (const std::uint16_t command : {IDM_PROCESS_SAME, IDM_REPEAT_DETECTION, IDM_FIXED_CASE}) {
        w.command(command);
        EXPECT_TRUE(w.host.menuChecks.empty()) << command << ": check marks stay";
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
