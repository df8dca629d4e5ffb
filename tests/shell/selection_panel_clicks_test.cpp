#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/display/panel_geometry.h"
#include "core/display/window_paint.h"
#include "core/host/allocation.h"
#include "core/host/recording_canvas.h"
#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "workbench_fixture.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::Workbench;

// A workbench driven as a user drives it: every click lands in the middle of a rectangle the
// last repaint laid out, and the window repaints after every action.
struct Panels : Workbench {
    RecordingCanvas canvas;
    void paint() {
        canvas.clear();
        paintWindow(host, canvas, s);
    }
    void clickOn(const InclusiveRect& r) {
        Workbench::clickOn(r);
        paint();
    }
    PanelGeometry geometry() const {
        return s.dwViewMode == VIEW_ALPHABET_PANEL ? alphabetPanelGeometry(layout(), s)
                                                   : subsetPanelGeometry(layout(), s);
    }
    void clickItem(std::size_t k) { clickOn(geometry().itemRects[k]); }
    void clickSlot(std::size_t j) { clickOn(geometry().slotRects[j]); }
    void clickRow(std::size_t r) { clickOn(geometry().rowFrames[r]); }
    void clickSubsetButton(std::size_t i) {
        clickOn(s.subsetPanel.ButtonsWhileSelectedSubsetRect[i]);
    }
    void clickAlphabetButton(std::size_t i) {
        clickOn(s.alphabetPanel.ButtonsWhileSelectedAlphabetRect[i]);
    }
    // Tuple series of the given task, showing the subset panel.
    void showSubsetPanel(std::uint16_t taskItem) {
        command(IDM_FIXED_TUPLES);
        command(taskItem);
        command(IDM_SELECT_SUBSETS);
        paint();
        forget();
    }
    std::vector<std::uint32_t> subset() const {
        const auto v = s.subsetPanel.subset();
        return {v.begin(), v.end()};
    }
};

enum SubsetButton { DeleteAll, Delete, Cancel, Ok, Accept, ClearAll, Quick };

// The series made and processed after the panel's OK equals the one the shortcut gives.
void expectSameSeries(const ProgramState& a, const ProgramState& b) {
    ASSERT_TRUE(a.lpSeriesHeader && b.lpSeriesHeader);
    EXPECT_EQ(a.dwViewMode, VIEW_RESULTS);
    EXPECT_EQ(a.lpSeriesHeader->lpData, b.lpSeriesHeader->lpData);
    EXPECT_EQ(a.lpSeriesHeader->lpEtalonNumbers, b.lpSeriesHeader->lpEtalonNumbers);
    EXPECT_EQ(a.lpSeriesHeader->lpDetectedPositions, b.lpSeriesHeader->lpDetectedPositions);
    EXPECT_EQ(a.lpSeriesHeader->lpDetectedEtalons, b.lpSeriesHeader->lpDetectedEtalons);
}

TEST(SubsetPanelFlows, OkWithTupleDetectionMakesTheSeriesTheShortcutMakes) {
    Panels w;
    w.showSubsetPanel(IDM_DETECTION);
    ASSERT_EQ(w.s.wProcessingTask, TASK_TUPLE_DETECTION);
    w.clickItem(2);
    w.clickItem(3);
    w.clickItem(5);
    w.clickSlot(1);  // marks etalon 4
    w.clickSubsetButton(Delete);
    EXPECT_THAT(w.subset(), ElementsAre(3, 6));
    w.clickSubsetButton(Ok);

    Panels shortcut;
    shortcut.showSubsetPanel(IDM_DETECTION);
    shortcut.composeSubsets({3, 6}, {});
    shortcut.clickOn(shortcut.layout().nextButton);
    expectSameSeries(w.s, shortcut.s);
}

TEST(SubsetPanelFlows, ThreeAcceptedSubsetsAndAChosenFrameGiveTheShortcutsRecognition) {
    Panels w;
    w.showSubsetPanel(IDM_RECOGNITION);
    ASSERT_EQ(w.s.wProcessingTask, TASK_TUPLE_RECOGNITION);
    for (const auto& row : {std::vector<std::size_t>{0, 1}, {2, 3, 4}, {6}}) {
        for (const std::size_t k : row) w.clickItem(k);  // the first starts a new subset
        w.clickSubsetButton(Accept);
    }
    const SubsetPanel& p = w.s.subsetPanel;
    ASSERT_EQ(p.dwSubsetArraySize, 3u);
    EXPECT_THAT(p.selectedSubsetArraySize, ElementsAre(2, 3, 1, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_THAT(w.subset(), ElementsAre(7));
    w.clickRow(1);
    EXPECT_EQ(p.dwCurrentSubset, 2u);
    w.clickSubsetButton(Ok);

    Panels shortcut;
    shortcut.showSubsetPanel(IDM_RECOGNITION);
    shortcut.composeSubsets({7}, {{1, 2}, {3, 4, 5}, {7}});
    shortcut.s.subsetPanel.dwCurrentSubset = 2;
    shortcut.clickOn(shortcut.layout().nextButton);
    expectSameSeries(w.s, shortcut.s);
}

TEST(SubsetPanelFlows, ItemClicksIntoAFullSubsetDeleteTheMarkedSlotsFirst) {
    const struct {
        int line;
        int markedSlot;  // -1: none
        std::vector<std::uint32_t> after;
    } cases[] = {
        {__LINE__, -1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},  // the eleventh is ignored
        {__LINE__, 3, {1, 2, 3, 5, 6, 7, 8, 9, 10, 12}},  // the marked one gives way
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Panels w;
        w.showSubsetPanel(IDM_RECOGNITION);  // ten slots
        for (std::size_t k = 0; k < 10; ++k) w.clickItem(k);
        if (c.markedSlot >= 0) w.clickSlot(static_cast<std::size_t>(c.markedSlot));
        w.clickItem(11);
        EXPECT_EQ(w.subset(), c.after);
    }
}

TEST(SubsetPanelFlows, AcceptOnAFullStoreKeepsTheStoreAndMakesTheLastCurrent) {
    Panels w;
    w.showSubsetPanel(IDM_RECOGNITION);
    std::vector<std::vector<std::uint32_t>> rows;
    for (std::uint32_t r = 1; r <= 10; ++r) rows.push_back({r});
    w.composeSubsets({11, 12}, rows);
    w.s.subsetPanel.dwCurrentSubset = 4;
    w.paint();
    w.clickSubsetButton(Accept);
    const SubsetPanel& p = w.s.subsetPanel;
    EXPECT_EQ(p.dwSubsetArraySize, 10u);
    EXPECT_EQ(p.dwCurrentSubset, 10u);
    EXPECT_THAT(p.selectedSubsetArray[9], ::testing::Contains(10u));
}

TEST(SubsetPanelFlows, CancelWithAnEmptySubsetComesBackToThePanel) {
    Panels w;
    w.showSubsetPanel(IDM_DETECTION);
    const auto before = w.s.lpSeriesHeader->lpData;
    w.clickSubsetButton(Cancel);
    EXPECT_EQ(w.s.dwViewMode, VIEW_SUBSET_PANEL);
    EXPECT_NE(w.s.lpSeriesHeader->lpData, before) << "a new series was made";
    EXPECT_TRUE(w.invalidated(workAreaRepaintRect(w.layout())));
}

TEST(SubsetPanelFlows, APanelWithoutArraysDrawsAndAnswersAsOneWithoutSlots) {
    Panels w;
    w.command(IDM_FIXED_TUPLES);
    w.command(IDM_DETECTION);
    w.command(IDM_SELECT_SUBSETS);
    w.forget();
    {
        ScopedAllocationFailure fail(1);
        w.paint();
    }
    EXPECT_THAT(w.host.messages, ElementsAre(RecordedMessage{"Нет памяти для selectedSubset!", "",
                                                             MessageIcon::None}));
    EXPECT_FALSE(w.s.subsetPanel.made());
    handleClick(w.host, w.s, (w.geometry().itemRects[0].left + w.geometry().itemRects[0].right) / 2,
                w.geometry().itemRects[0].top + 2);
    EXPECT_FALSE(w.s.subsetPanel.made());
    w.paint();  // the next repaint tries again
    EXPECT_TRUE(w.s.subsetPanel.made());
    w.clickItem(0);
    EXPECT_THAT(w.subset(), ElementsAre(1));
}

TEST(AlphabetPanelFlows, QuickAndOkGiveTheShortcutsAlphabetRecognition) {
    Panels w;
    ASSERT_EQ(w.s.dwViewMode, VIEW_ALPHABET_PANEL);
    w.paint();
    w.clickAlphabetButton(Quick);
    const AlphabetPanel& p = w.s.alphabetPanel;
    ASSERT_EQ(p.dwAlphabetArraySize, 5u);
    EXPECT_THAT(std::span(p.selectedAlphabetArray[1]).first(4), ElementsAre(3, 4, 13, 14));
    EXPECT_EQ(p.dwCurrentAlphabet, 5u);
    for (std::size_t k = 0; k < 20; ++k) EXPECT_EQ(w.s.wEtalonFlags[k] & 2, 2) << k;
    w.clickAlphabetButton(Ok);

    Panels shortcut;
    shortcut.composeAlphabets(
        {{1, 2, 11, 12}, {3, 4, 13, 14}, {5, 6, 15, 16}, {7, 8, 17, 18}, {9, 10, 19, 20}});
    shortcut.paint();
    shortcut.clickOn(shortcut.layout().nextButton);
    expectSameSeries(w.s, shortcut.s);
}

TEST(AlphabetPanelFlows, TakenEtalonsStayUnavailableUntilReleased) {
    Panels w;
    w.paint();
    w.clickItem(0);
    w.clickItem(1);
    w.clickItem(0);  // taken: nothing happens
    EXPECT_THAT(std::span(w.s.alphabetPanel.selectedAlphabet).first(3), ElementsAre(1, 2, 0));
    w.clickAlphabetButton(Accept);
    EXPECT_EQ(w.s.alphabetPanel.dwSelectedAlphabetSize, 0u);
    EXPECT_EQ(w.s.wEtalonFlags[0] & 2, 2);
    w.clickItem(2);
    w.clickAlphabetButton(ClearAll);  // the stored alphabet and the one being composed
    for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(w.s.wEtalonFlags[k] & 2, 0) << k;
}

TEST(AlphabetPanelFlows, AnAlphabetThatCannotBeStoredGivesItsEtalonsBack) {
    Panels w;
    std::vector<std::vector<std::uint32_t>> rows;
    for (std::uint32_t r = 1; r <= 10; ++r) rows.push_back({r});
    w.composeAlphabets(rows);
    w.paint();
    w.clickItem(15);
    EXPECT_EQ(w.s.wEtalonFlags[15] & 2, 2);
    w.clickAlphabetButton(Accept);
    EXPECT_EQ(w.s.alphabetPanel.dwAlphabetArraySize, 10u);
    EXPECT_EQ(w.s.alphabetPanel.dwSelectedAlphabetSize, 0u);
    EXPECT_EQ(w.s.wEtalonFlags[15] & 2, 0) << "available again";
}

}  // namespace
}  // namespace mirovale
