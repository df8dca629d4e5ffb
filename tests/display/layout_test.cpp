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

using ::testing::ElementsAre;

ProgramState stateFor(std::uint16_t task, std::uint16_t seriesType) {
    ProgramState state;
    state.wProcessingTask = task;
    state.wSeriesType = seriesType;
    return state;
}

// 1280 x 800, line height 15, task 4 (select-all shown), series type 8 (lost-data row shown).
TEST(WindowLayout, FullScreenClient) {
    const WindowLayout l = computeWindowLayout({1280, 800}, 15, stateFor(4, 8));
    EXPECT_EQ(l.exitButton, (InclusiveRect{1126, 758, 1269, 789}));
    EXPECT_EQ(l.nextButton, (InclusiveRect{1126, 716, 1269, 747}));
    EXPECT_TRUE(l.hasSelectAll);
    EXPECT_EQ(l.selectAllButton, (InclusiveRect{1126, 674, 1269, 705}));
    EXPECT_EQ(l.restartButton, (InclusiveRect{1126, 632, 1269, 663}));
    EXPECT_EQ(l.buttonsArea, (InclusiveRect{1126, 590, 1269, 705}));

    // 5 x 4 cells of (1047 / 5) x (731 / 4) = 209 x 182.
    EXPECT_EQ(l.gridColumns, 5);
    EXPECT_EQ(l.gridRows, 4);
    EXPECT_EQ(l.rcWorkArea, (InclusiveRect{10, 10, 1114, 787}));
    EXPECT_EQ(l.wGridFrameWidth, 209);
    EXPECT_EQ(l.wGridFrameHeight, 182);
    EXPECT_EQ(l.wGridCellWidth, 199);
    EXPECT_EQ(l.wGridCellHeight, 172);
    ASSERT_EQ(l.rcEtalonCells.size(), 20u);
    EXPECT_EQ(l.rcEtalonCells[0], (InclusiveRect{20, 20, 228, 201}));
    EXPECT_EQ(l.rcEtalonCells[4], (InclusiveRect{896, 20, 1104, 201}));
    EXPECT_EQ(l.rcEtalonCells[5], (InclusiveRect{20, 212, 228, 393}));
    EXPECT_EQ(l.rcEtalonCells[19], (InclusiveRect{896, 596, 1104, 777}));

    EXPECT_EQ(l.seriesLengthRow, (InclusiveRect{1124, 10, 1270, 99}));
    EXPECT_EQ(l.noiseLevelRow, (InclusiveRect{1124, 114, 1270, 203}));
    EXPECT_TRUE(l.hasLostDataRow);
    EXPECT_EQ(l.lostDataRow, (InclusiveRect{1124, 218, 1270, 307}));
    EXPECT_EQ(l.optionColumn, (InclusiveRect{1124, 10, 1270, 307}));
    // Items: x = left + 10, 22 pixels (one and a half lines) apart from 22 below the row's top.
    EXPECT_THAT(l.seriesLengthItems,
                ElementsAre(InclusiveRect{1134, 32, 1261, 53}, InclusiveRect{1134, 54, 1261, 75},
                            InclusiveRect{1134, 76, 1261, 97}));
    EXPECT_EQ(l.noiseLevelItems.front(), (InclusiveRect{1134, 136, 1261, 157}));
    EXPECT_EQ(l.lostDataItems.back(), (InclusiveRect{1134, 284, 1261, 305}));

    EXPECT_EQ(workAreaRepaintRect(l), (Rect{10, 0, 1114, 787}));
    EXPECT_EQ(buttonsAreaRepaintRect(l), (Rect{1126, 590, 1270, 706}));
    EXPECT_EQ(etalonCellRepaintRect(l, 0), (Rect{19, 19, 231, 204}));
    EXPECT_EQ(etalonCellRepaintRect(l, 19), (Rect{895, 595, 1107, 780}));
    EXPECT_EQ(selectAllButtonRepaintRect(l), (Rect{1126, 674, 1270, 706}));
    EXPECT_EQ(optionRowRepaintRect(l, OptionHit::SeriesLength), (Rect{1124, 3, 1272, 101}));
    EXPECT_EQ(optionRowRepaintRect(l, OptionHit::LostDataLevel), (Rect{1124, 211, 1272, 309}));
}

// 300 x 200, line height 13, task 1 (no select-all), series type 4 (no lost-data row).
TEST(WindowLayout, SmallClient) {
    const WindowLayout l = computeWindowLayout({300, 200}, 13, stateFor(1, 4));
    EXPECT_FALSE(l.hasSelectAll);
    EXPECT_EQ(l.restartButton, (InclusiveRect{146, 74, 289, 105}));  // in the select-all slot
    EXPECT_EQ(l.buttonsArea, (InclusiveRect{146, 32, 289, 105}));
    EXPECT_EQ(l.exitButton, (InclusiveRect{146, 158, 289, 189}));
    // (300 - 233) / 5 = 13 wide, (200 - 69) / 4 = 32 high.
    EXPECT_EQ(l.rcWorkArea, (InclusiveRect{10, 10, 134, 187}));
    EXPECT_EQ(l.rcEtalonCells[0], (InclusiveRect{20, 20, 32, 51}));
    EXPECT_EQ(l.rcEtalonCells[19], (InclusiveRect{112, 146, 124, 177}));
    EXPECT_EQ(l.wGridCellWidth, 3);
    EXPECT_FALSE(l.hasLostDataRow);
    EXPECT_TRUE(l.lostDataItems.empty());
    EXPECT_EQ(l.seriesLengthRow, (InclusiveRect{144, 10, 290, 87}));
    EXPECT_EQ(l.noiseLevelRow, (InclusiveRect{144, 100, 290, 177}));
    EXPECT_EQ(l.optionColumn.bottom, 177);
    EXPECT_EQ(l.seriesLengthItems.front(), (InclusiveRect{154, 29, 281, 47}));
    EXPECT_EQ(l.noiseLevelItems.front(), (InclusiveRect{154, 119, 281, 137}));
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

TEST(WindowLayout, KeepsTheSelectAllButtonForTheTasksThatChooseEtalonsInTheGrid) {
    const struct {
        int line;
        std::uint16_t task;
        bool selectAll;
        int restartTop;
    } cases[] = {
        {__LINE__, 1, false, 674},  {__LINE__, 2, true, 632},   {__LINE__, 4, true, 632},
        {__LINE__, 36, false, 674}, {__LINE__, 40, false, 674}, {__LINE__, 48, false, 674},
        {__LINE__, 64, true, 632},
    };
    for (const auto& c : cases) {
        const WindowLayout l = computeWindowLayout({1280, 800}, 15, stateFor(c.task, 4));
        EXPECT_EQ(l.hasSelectAll, c.selectAll) << c.line;
        EXPECT_EQ(l.restartButton.top, c.restartTop) << c.line;
        EXPECT_EQ(l.buttonsArea.top, c.restartTop - 42) << c.line;
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
