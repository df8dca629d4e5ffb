#include "core/display/layout.h"

#include <algorithm>

namespace mirovale {
namespace {

constexpr int kMargin = 10;      // between the client edge, the work area, cells and column
constexpr int kRowLines = 6;     // height of an option row, in lines
constexpr int kButtonStep = 42;  // from one button's top to the next one's

InclusiveRect buttonAt(int left, int top) {
    return {left, top, left + kButtonWidth - 1, top + kButtonHeight - 1};
}

// Processing tasks that choose etalons one at a time or through a panel have no select-all
// button.
bool hasSelectAllButton(std::uint16_t wProcessingTask) {
    return wProcessingTask != TASK_DETECTION && wProcessingTask != TASK_TUPLE_DETECTION &&
           wProcessingTask != TASK_TUPLE_RECOGNITION &&
           wProcessingTask != TASK_ALPHABET_RECOGNITION;
}

void layOutButtons(WindowLayout& layout, ClientSize client, std::uint16_t wProcessingTask) {
    const int left = client.width - kButtonWidth - kMargin;
    const int h = client.height;
    layout.exitButton = buttonAt(left, h - kButtonStep);
    layout.nextButton = buttonAt(left, h - 2 * kButtonStep);
    layout.hasSelectAll = hasSelectAllButton(wProcessingTask);
    layout.selectAllButton = buttonAt(left, h - 3 * kButtonStep);
    layout.restartButton = buttonAt(left, h - (layout.hasSelectAll ? 4 : 3) * kButtonStep);
    layout.buttonsArea = {left, layout.restartButton.top - kButtonStep, client.width - 11, h - 95};
}

// The least n >= 1 with n (n + 1) >= count: the grid has n + 1 columns and n rows.
int gridRowsFor(int count) {
    int n = 1;
    while (n * (n + 1) < count) ++n;
    return n;
}

void layOutGrid(WindowLayout& layout, ClientSize client, std::uint16_t wEtalonCount) {
    const int rows = gridRowsFor(wEtalonCount);
    const int columns = rows + 1;
    // Signed division: a client too small for the grid gives zero or negative cells.
    const int cellWidth = (client.width - 173 - (columns + 1) * kMargin) / columns;
    const int cellHeight = (client.height - 19 - (rows + 1) * kMargin) / rows;
    const int gridWidth = cellWidth * columns + (columns + 1) * kMargin;
    const int gridHeight = cellHeight * rows + (rows + 1) * kMargin;
    layout.gridColumns = columns;
    layout.gridRows = rows;
    layout.rcWorkArea = {kMargin, kMargin, kMargin + gridWidth - 1, kMargin + gridHeight - 1};
    layout.wGridFrameWidth = static_cast<std::uint16_t>(cellWidth);
    layout.wGridFrameHeight = static_cast<std::uint16_t>(cellHeight);
    layout.wGridCellWidth = static_cast<std::uint16_t>(cellWidth - kMargin);
    layout.wGridCellHeight = static_cast<std::uint16_t>(cellHeight - kMargin);
    layout.rcEtalonCells.clear();
    for (int i = 0; i < wEtalonCount; ++i) {
        const int x = 2 * kMargin + (i % columns) * (cellWidth + kMargin);
        const int y = 2 * kMargin + (i / columns) * (cellHeight + kMargin);
        layout.rcEtalonCells.push_back({x, y, x + cellWidth - 1, y + cellHeight - 1});
    }
}

// Number of options of an option table: its element 0, never more than the values it holds.
std::size_t optionCount(const std::array<std::uint32_t, 4>& options) {
    return std::min<std::size_t>(options[0], options.size() - 1);
}

InclusiveRect optionRow(const InclusiveRect& column, int top, int lineHeight) {
    return {column.left, top, column.right, top + kRowLines * lineHeight - 1};
}

void layOutOptionColumn(WindowLayout& layout, ClientSize client, const ProgramState& state) {
    const int lh = layout.wLineHeight;
    InclusiveRect& column = layout.optionColumn;
    column = {layout.rcWorkArea.right + kMargin, layout.rcWorkArea.top, client.width - kMargin, 0};
    layout.seriesLengthRow = optionRow(column, column.top, lh);
    layout.noiseLevelRow = optionRow(column, layout.seriesLengthRow.bottom + lh, lh);
    layout.hasLostDataRow = isCutOffSeriesType(state.wSeriesType);
    layout.lostDataRow = optionRow(column, layout.noiseLevelRow.bottom + lh, lh);
    column.bottom = (layout.hasLostDataRow ? layout.lostDataRow : layout.noiseLevelRow).bottom;
    layout.seriesLengthItems =
        optionItemRects(layout.seriesLengthRow, lh, optionCount(state.dwSeriesLengthOptions));
    layout.noiseLevelItems =
        optionItemRects(layout.noiseLevelRow, lh, optionCount(state.dwNoiseLevelOptions));
    layout.lostDataItems.clear();
    if (layout.hasLostDataRow)
        layout.lostDataItems =
            optionItemRects(layout.lostDataRow, lh, optionCount(state.dwLostLevelOptions));
}

const InclusiveRect* rowRect(const WindowLayout& layout, OptionHit::Row row) {
    switch (row) {
        case OptionHit::SeriesLength:
            return &layout.seriesLengthRow;
        case OptionHit::NoiseLevel:
            return &layout.noiseLevelRow;
        case OptionHit::LostDataLevel:
            return &layout.lostDataRow;
        default:
            return nullptr;
    }
}

}  // namespace

WindowLayout computeWindowLayout(ClientSize client, int lineHeight, const ProgramState& state) {
    WindowLayout layout;
    layout.wLineHeight = lineHeight;
    layOutButtons(layout, client, state.wProcessingTask);
    layOutGrid(layout, client, state.wEtalonCount);
    layOutOptionColumn(layout, client, state);
    return layout;
}

WindowLayout currentLayout(const Host& host, const ProgramState& state) {
    return computeWindowLayout(host.clientSize(), host.lineHeight(), state);
}

std::vector<InclusiveRect> optionItemRects(const InclusiveRect& row, int lineHeight,
                                           std::size_t count) {
    const int step = lineHeight + lineHeight / 2;
    const int x = row.left + kMargin;
    const int width = row.right - row.left + 1;
    std::vector<InclusiveRect> items;
    int y = row.top + step;
    for (std::size_t i = 0; i < count; ++i, y += step)
        items.push_back({x, y, x + width - 20, y + step - 1});
    return items;
}

SelectAllMode selectAllMode(const ProgramState& state) {
    const std::size_t etalons =
        std::min<std::size_t>(state.wEtalonCount, state.wEtalonFlags.size());
    const auto required =
        std::count_if(state.wEtalonFlags.begin(),
                      state.wEtalonFlags.begin() + static_cast<std::ptrdiff_t>(etalons),
                      [](std::uint16_t flags) { return (flags & 1u) != 0; });
    return 2 * required > state.wEtalonCount ? SelectAllMode::UnselectAll
                                             : SelectAllMode::SelectAll;
}

int hitEtalonCell(const WindowLayout& layout, int x, int y) {
    for (std::size_t i = 0; i < layout.rcEtalonCells.size(); ++i)
        if (layout.rcEtalonCells[i].contains(x, y)) return static_cast<int>(i);
    return -1;
}

OptionHit hitOption(const WindowLayout& layout, int x, int y) {
    const std::vector<InclusiveRect>* rows[] = {&layout.seriesLengthItems, &layout.noiseLevelItems,
                                                &layout.lostDataItems};
    for (int r = 0; r < 3; ++r)
        for (std::size_t i = 0; i < rows[r]->size(); ++i)
            if ((*rows[r])[i].contains(x, y))
                return {static_cast<OptionHit::Row>(r), static_cast<int>(i)};
    return {};
}

Rect workAreaRepaintRect(const WindowLayout& layout) {
    const InclusiveRect& a = layout.rcWorkArea;
    return {a.left, a.top - 10, a.right, a.bottom};
}

Rect buttonsAreaRepaintRect(const WindowLayout& layout) {
    const InclusiveRect& a = layout.buttonsArea;
    return {a.left, a.top, a.right + 1, a.bottom + 1};
}

Rect etalonCellRepaintRect(const WindowLayout& layout, std::size_t index) {
    if (index >= layout.rcEtalonCells.size()) return {};
    const InclusiveRect& c = layout.rcEtalonCells[index];
    return {c.left - 1, c.top - 1, c.right + 3, c.bottom + 3};
}

Rect selectAllButtonRepaintRect(const WindowLayout& layout) {
    const InclusiveRect& b = layout.selectAllButton;
    return {b.left, b.top, b.right + 1, b.bottom + 1};
}

Rect optionRowRepaintRect(const WindowLayout& layout, OptionHit::Row row) {
    const InclusiveRect* r = rowRect(layout, row);
    if (r == nullptr) return {};
    return {r->left, r->top - layout.wLineHeight / 2, r->right + 2, r->bottom + 2};
}

}  // namespace mirovale
