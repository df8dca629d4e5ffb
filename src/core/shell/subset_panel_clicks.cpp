#include "core/shell/subset_panel_clicks.h"

#include <algorithm>

#include "core/display/layout.h"
#include "core/display/panel_geometry.h"
#include "core/shell/attach_selections.h"
#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/panel_slots.h"

namespace mirovale {
namespace {

enum SubsetButton : std::size_t { DeleteAll, Delete, Cancel, Ok, Accept, ClearAll };

void clickItem(Host& host, ProgramState& s, std::size_t k) {
    SubsetPanel& p = s.subsetPanel;
    PanelSlots slots{p.selectedSubset, p.dwSelectedSubsetSize, p.dwSubsetCapacity};
    deleteMarkedSlots(slots, nullptr);
    appendToSlots(slots, s.lpRequiredList[k]);
    handleCommand(host, s, CMD_SHOW_SUBSET_PANEL);
}

void clickOk(Host& host, ProgramState& s) {
    SubsetPanel& p = s.subsetPanel;
    bool attached = false;
    if (s.wProcessingTask != TASK_TUPLE_RECOGNITION && p.dwSelectedSubsetSize > 0) {
        attachSelectedSubset(s);
        attached = true;
    } else if (s.wProcessingTask == TASK_TUPLE_RECOGNITION && p.dwSubsetArraySize > 0) {
        attached = attachStoredSubsets(host, s) != 0;
    }
    if (!attached) return handleCommand(host, s, CMD_SHOW_SUBSET_LIST);
    s.buttonsAreaPending = true;
    s.dwViewMode = VIEW_RESULTS;
    s.lostDataRowPending = false;
    handleCommand(host, s, CMD_NEXT_DATA);
}

void clickButton(Host& host, ProgramState& s, std::size_t button) {
    SubsetPanel& p = s.subsetPanel;
    PanelSlots slots{p.selectedSubset, p.dwSelectedSubsetSize, p.dwSubsetCapacity};
    switch (button) {
        case DeleteAll:
            emptySlots(slots);
            return handleCommand(host, s, CMD_SHOW_SUBSET_PANEL);
        case Delete:
            deleteMarkedSlots(slots, nullptr);
            return handleCommand(host, s, CMD_SHOW_SUBSET_PANEL);
        case Cancel:
            emptySlots(slots);
            s.dwViewMode = VIEW_RESULTS;
            s.seriesLengthRowPending = s.noiseLevelRowPending = s.lostDataRowPending = false;
            if (s.wProcessingTask == TASK_TUPLE_RECOGNITION) p.dwSubsetArraySize = 0;
            return handleCommand(host, s, CMD_NEXT_DATA);
        case Ok:
            return clickOk(host, s);
        case Accept:
            if (p.dwSelectedSubsetSize > 0) {
                p.dwMarkAllSubsets = 1;
                p.dwSubsetArraySize = addSelectionToArray(
                    p.selectedSubset, p.dwSelectedSubsetSize, p.selectedSubsetArraySize,
                    p.selectedSubsetArray, p.dwSubsetArraySize, p.dwSubsetArrayCapacity);
                p.dwCurrentSubset = p.dwSubsetArraySize;
            }
            return handleCommand(host, s, CMD_SHOW_SUBSET_LIST);
        default:  // ClearAll
            p.dwMarkAllSubsets = 1;
            p.dwSubsetArraySize = 0;
            return handleCommand(host, s, CMD_SHOW_SUBSET_LIST);
    }
}

// True when the panel took the click.
bool clickPanel(Host& host, ProgramState& s, int x, int y) {
    SubsetPanel& p = s.subsetPanel;
    if (!p.made()) return false;
    const PanelGeometry g = subsetPanelGeometry(currentLayout(host, s), s);
    const std::size_t items = std::min<std::size_t>(
        {s.wRequiredCount, s.lpRequiredList.size(), g.itemRects.size()});
    for (std::size_t k = 0; k < items; ++k) {
        if (!g.itemRects[k].contains(x, y)) continue;
        clickItem(host, s, k);
        return true;
    }
    if (g.panelAreaRect.contains(x, y)) {
        PanelSlots slots{p.selectedSubset, p.dwSelectedSubsetSize, p.dwSubsetCapacity};
        markSlotAt(slots, g.slotRects, x, y);
        handleCommand(host, s, CMD_SHOW_SUBSET_PANEL);
        return true;
    }
    const std::size_t buttons =
        std::min<std::size_t>(p.dwSubsetButtons, p.ButtonsWhileSelectedSubsetRect.size());
    for (std::size_t i = 0; i < buttons; ++i) {
        if (!p.ButtonsWhileSelectedSubsetRect[i].contains(x, y)) continue;
        clickButton(host, s, i);
        return true;
    }
    // The stored subsets are shown by the stored-subsets variant only.
    const std::size_t stored = std::min<std::size_t>(p.dwSubsetArraySize, g.rowFrames.size());
    for (std::size_t r = 0; r < stored; ++r) {
        if (!g.rowFrames[r].contains(x, y)) continue;
        p.dwCurrentSubset = static_cast<std::uint32_t>(r + 1);
        handleCommand(host, s, CMD_SHOW_SUBSET_LIST);
        return true;
    }
    return false;
}

}  // namespace

void handleSubsetPanelClick(Host& host, ProgramState& state, int x, int y) {
    if (!clickPanel(host, state, x, y)) handleClickOutsidePanel(host, state, x, y);
}

}  // namespace mirovale
