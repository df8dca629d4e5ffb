#include "core/display/layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

namespace mirovale {

void PrintTo(const InclusiveRect& r, std::ostream* os) {
    *os << "[" << r.left << "," << r.top << " .. " << r.right << "," << r.bottom << "]";
}
void PrintTo(const Rect& r, std::ostream* os) {
    *os << "[" << r.left << "," << r.top << " .. " << r.right << "," << r.bottom << ")";
}

namespace {

ProgramState stateFor(std::uint16_t task, std::uint16_t seriesType) {
    ProgramState state;
    state.wProcessingTask = task;
    state.wSeriesType = seriesType;
    return state;
}

// Where the buttons, cells and option rows lie is in the golden pictures of the views
// (tests/data/views), the Restart button higher with Select All (joint detection) and lower
// without it (the tuple tasks); which tasks have Select All, in PaintWindow's table. The
// rectangles a repaint invalidates are not, so they are checked here.
// 1280 x 800, line height 15, task 4 (select-all shown), series type 8 (lost-data row shown).
TEST(WindowLayout, RepaintRectanglesCoverTheirPartsAndTheirFrames) {
    const WindowLayout l = computeWindowLayout({1280, 800}, 15, stateFor(4, 8));
    EXPECT_EQ(l.rcEtalonCells[0], (InclusiveRect{20, 20, 228, 201}));
    EXPECT_EQ(l.buttonsArea, (InclusiveRect{1126, 590, 1269, 705}));
    EXPECT_EQ(workAreaRepaintRect(l), (Rect{10, 0, 1114, 787}));
    EXPECT_EQ(buttonsAreaRepaintRect(l), (Rect{1126, 590, 1270, 706}));
    EXPECT_EQ(etalonCellRepaintRect(l, 0), (Rect{19, 19, 231, 204}));
    EXPECT_EQ(etalonCellRepaintRect(l, 19), (Rect{895, 595, 1107, 780}));
    EXPECT_EQ(selectAllButtonRepaintRect(l), (Rect{1126, 674, 1270, 706}));
    EXPECT_EQ(optionRowRepaintRect(l, OptionHit::SeriesLength), (Rect{1124, 3, 1272, 101}));
    EXPECT_EQ(optionRowRepaintRect(l, OptionHit::LostDataLevel), (Rect{1124, 211, 1272, 309}));
}

TEST(WindowLayout, AClientTooSmallForTheGridStillLaysItOutWithEmptyCells) {
    const WindowLayout l = computeWindowLayout({200, 100}, 15, stateFor(4, 4));
    // (200 - 233) / 5 truncates toward zero to -6 (not -7); (100 - 69) / 4 = 7.
    EXPECT_EQ(l.rcWorkArea, (InclusiveRect{10, 10, 39, 87}));
    EXPECT_EQ(l.wGridFrameWidth, 65530);  // -6 in 16 bits
    EXPECT_EQ(l.wGridCellWidth, 65520);
    EXPECT_EQ(l.rcEtalonCells[1], (InclusiveRect{24, 20, 17, 26}));
    for (const InclusiveRect& cell : l.rcEtalonCells)
        EXPECT_FALSE(cell.contains(cell.left, cell.top));
    EXPECT_EQ(hitEtalonCell(l, 20, 20), -1);
}

TEST(WindowLayout, SizesTheGridForTheEtalonCount) {
    const struct {
        int line;
        std::uint16_t count;
        int columns, rows;
    } cases[] = {
        {__LINE__, 0, 2, 1},  {__LINE__, 1, 2, 1},  {__LINE__, 2, 2, 1},
        {__LINE__, 3, 3, 2},  {__LINE__, 6, 3, 2},  {__LINE__, 7, 4, 3},
        {__LINE__, 12, 4, 3}, {__LINE__, 13, 5, 4}, {__LINE__, 20, 5, 4},
    };
    for (const auto& c : cases) {
        ProgramState state;
        state.wEtalonCount = c.count;
        const WindowLayout l = computeWindowLayout({1280, 800}, 15, state);
        EXPECT_EQ(l.gridColumns, c.columns) << c.line;
        EXPECT_EQ(l.gridRows, c.rows) << c.line;
        EXPECT_EQ(l.rcEtalonCells.size(), c.count) << c.line;
    }
}

TEST(WindowLayout, CountsAPointOnARightOrBottomEdgeAsInside) {
    const WindowLayout l = computeWindowLayout({1280, 800}, 15, stateFor(4, 8));
    const struct {
        int line;
        int x, y;
        int cell;
        OptionHit option;
    } cases[] = {
        {__LINE__, 20, 20, 0, {}},
        {__LINE__, 228, 201, 0, {}},   // bottom-right corner of cell 0
        {__LINE__, 229, 201, -1, {}},  // the gap between cells
        {__LINE__, 19, 20, -1, {}},
        {__LINE__, 1104, 777, 19, {}},
        {__LINE__, 1134, 32, -1, {OptionHit::SeriesLength, 0}},
        {__LINE__, 1261, 53, -1, {OptionHit::SeriesLength, 0}},
        {__LINE__, 1261, 54, -1, {OptionHit::SeriesLength, 1}},
        {__LINE__, 1262, 54, -1, {}},
        {__LINE__, 1134, 31, -1, {}},  // the row's title line holds no option
        {__LINE__, 1200, 305, -1, {OptionHit::LostDataLevel, 2}},
        {__LINE__, 1200, 306, -1, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hitEtalonCell(l, c.x, c.y), c.cell) << c.line;
        EXPECT_EQ(hitOption(l, c.x, c.y), c.option) << c.line;
    }
    EXPECT_TRUE(l.exitButton.contains(1269, 789));
    EXPECT_FALSE(l.exitButton.contains(1270, 789));
    EXPECT_FALSE(l.exitButton.contains(1269, 790));
    // Without the lost-data row its options cannot be hit.
    const WindowLayout whole = computeWindowLayout({1280, 800}, 15, stateFor(4, 4));
    EXPECT_EQ(hitOption(whole, 1200, 305), OptionHit{});
}

TEST(WindowLayout, NeverLaysOutMoreOptionsThanTheTableHolds) {
    ProgramState state = stateFor(4, 8);
    state.dwSeriesLengthOptions[0] = 9;
    state.dwNoiseLevelOptions[0] = 2;
    const WindowLayout l = computeWindowLayout({1280, 800}, 15, state);
    EXPECT_EQ(l.seriesLengthItems.size(), 3u);
    EXPECT_EQ(l.noiseLevelItems.size(), 2u);
}

TEST(SelectAllMode, UnselectsOnlyWhenMoreThanHalfAreRequired) {
    const struct {
        int line;
        int required;      // etalons with flags 1
        int composedOnly;  // etalons with flags 2: taken into an alphabet, not required
        SelectAllMode mode;
    } cases[] = {
        {__LINE__, 0, 0, SelectAllMode::SelectAll},
        {__LINE__, 10, 10, SelectAllMode::SelectAll},  // exactly half
        {__LINE__, 11, 0, SelectAllMode::UnselectAll},
        {__LINE__, 20, 0, SelectAllMode::UnselectAll},
    };
    for (const auto& c : cases) {
        ProgramState state;
        for (int i = 0; i < c.required; ++i) state.wEtalonFlags[static_cast<std::size_t>(i)] = 1;
        for (int i = 0; i < c.composedOnly; ++i)
            state.wEtalonFlags[static_cast<std::size_t>(c.required + i)] = 2;
        EXPECT_EQ(selectAllMode(state), c.mode) << c.line;
    }
    ProgramState three;
    three.wEtalonFlags.fill(3);  // required and composed: required counts
    EXPECT_EQ(selectAllMode(three), SelectAllMode::UnselectAll);
}

}  // namespace
}  // namespace mirovale
