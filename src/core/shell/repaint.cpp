#include "core/shell/repaint.h"

#include "core/display/layout.h"
#include "core/display/panel_geometry.h"

namespace mirovale {
namespace {

void repaintCell(Host& host, const WindowLayout& layout, std::uint32_t etalon) {
    if (etalon >= 1 && etalon <= layout.rcEtalonCells.size())
        host.invalidate(etalonCellRepaintRect(layout, etalon - 1), true);
}

void repaintRowIfPending(Host& host, const WindowLayout& layout, bool& pending,
                         OptionHit::Row row) {
    if (!pending) return;
    const Rect rect = optionRowRepaintRect(layout, row);
    if (rect.width() > 0 && rect.height() > 0)
        host.invalidate(rect, true);  // a hidden row has none
    pending = false;
}

constexpr std::uint32_t kPanelSlots = 10;

PanelGeometry panelOf(const Host& host, const ProgramState& state, std::uint32_t storedRows) {
    return panelGeometry(currentLayout(host, state), state.lpSeriesHeader.get(), kPanelSlots,
                         storedRows);
}

void repaintStoredRows(Host& host, const ProgramState& state, std::uint32_t capacity) {
    const PanelGeometry g = panelOf(host, state, capacity);
    for (const InclusiveRect& frame : g.rowFrames) host.invalidate(wholeRect(frame), true);
    host.invalidate(wholeRect(g.panelAreaRect), true);
}

}  // namespace

void repaintWholeWindow(Host& host, const ProgramState& /*state*/) {
    const ClientSize client = host.clientSize();
    host.invalidate(Rect{0, 0, client.width, client.height}, true);
}

void repaintWorkArea(Host& host, const ProgramState& state, bool erase) {
    host.invalidate(workAreaRepaintRect(currentLayout(host, state)), erase);
}

void repaintButtonsArea(Host& host, ProgramState& state) {
    host.invalidate(buttonsAreaRepaintRect(currentLayout(host, state)), true);
    state.buttonsAreaPending = false;
}

void repaintPendingOptionRows(Host& host, ProgramState& state) {
    const WindowLayout layout = currentLayout(host, state);
    repaintRowIfPending(host, layout, state.seriesLengthRowPending, OptionHit::SeriesLength);
    repaintRowIfPending(host, layout, state.noiseLevelRowPending, OptionHit::NoiseLevel);
    repaintRowIfPending(host, layout, state.lostDataRowPending, OptionHit::LostDataLevel);
}

void showResults(Host& host, ProgramState& state) {
    repaintWorkArea(host, state, state.dwTypeMoreDetails == 0);
    repaintPendingOptionRows(host, state);
    if (state.buttonsAreaPending) repaintButtonsArea(host, state);
}

void showSelectedEtalon(Host& host, const ProgramState& state) {
    const WindowLayout layout = currentLayout(host, state);
    repaintCell(host, layout, state.dwSelectedEtalon);
    if (state.wProcessingTask == TASK_DETECTION)
        repaintCell(host, layout, state.dwPrevSelectedEtalon);
    else
        host.invalidate(selectAllButtonRepaintRect(layout), true);
}

void showEtalonGrid(Host& host, ProgramState& state) {
    const WindowLayout layout = currentLayout(host, state);
    host.invalidate(workAreaRepaintRect(layout), true);
    if (state.wProcessingTask != TASK_DETECTION)
        host.invalidate(selectAllButtonRepaintRect(layout), true);
    if (state.buttonsAreaPending) repaintButtonsArea(host, state);
}

void repaintPanelArea(Host& host, const ProgramState& state) {
    host.invalidate(wholeRect(panelOf(host, state, 0).panelAreaRect), true);
}

void showSubsetList(Host& host, const ProgramState& state) {
    repaintStoredRows(host, state, state.subsetPanel.dwSubsetArrayCapacity);
}

void showAlphabetList(Host& host, const ProgramState& state) {
    repaintStoredRows(host, state, state.alphabetPanel.dwAlphabetArrayCapacity);
}

void showAlphabetItem(Host& host, const ProgramState& state) {
    const PanelGeometry g = panelOf(host, state, 0);
    const std::size_t item = state.alphabetPanel.dwRepaintItem;
    if (item < g.itemRects.size()) host.invalidate(wholeRect(g.itemRects[item]), true);
}

}  // namespace mirovale
