#include "core/shell/params_panel_input.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "core/dialogs/series_geometry.h"
#include "core/display/layout.h"
#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/params_mapping.h"

namespace mirovale {
namespace {

using Flag = std::int32_t ParamsHeader::*;

// The four items that can be grabbed, in the order they are tried.
struct GrabItem {
    Flag over;
    Flag drag;
    CursorShape cursor;
};
enum Item : int { None = -1, APlus = 0, BMinus = 1, TminLine = 2, TmaxLine = 3 };
constexpr std::array<GrabItem, 4> kItems{{
    {&ParamsHeader::dwOverAPlus, &ParamsHeader::dwDragAPlus, CursorShape::VerticalResize},
    {&ParamsHeader::dwOverBMinus, &ParamsHeader::dwDragBMinus, CursorShape::VerticalResize},
    {&ParamsHeader::dwOverTminLine, &ParamsHeader::dwDragTminLine, CursorShape::DiagonalResize},
    {&ParamsHeader::dwOverTmaxLine, &ParamsHeader::dwDragTmaxLine, CursorShape::DiagonalResize},
}};

bool hits(const ParamsHeader& r, int item, int x, int y) {
    switch (item) {
        case APlus:
            return r.rcAPlusBand.contains(x, y);
        case BMinus:
            return r.rcBMinusBand.contains(x, y);
        case TminLine:
            return isOnTminLine(x, y, r) != 0;
        default:
            return isOnTmaxLine(x, y, r) != 0;
    }
}

int itemAt(const ParamsHeader& r, int x, int y) {
    if (!canPlotParams(r)) return None;
    for (int i = 0; i < static_cast<int>(kItems.size()); ++i)
        if (hits(r, i, x, y)) return i;
    return None;
}

int itemWith(const ParamsHeader& r, bool dragged) {
    for (int i = 0; i < static_cast<int>(kItems.size()); ++i)
        if (r.*(dragged ? kItems[i].drag : kItems[i].over) != 0) return i;
    return None;
}

// The hover moves from the item it was on to the item under (x, y).
void hover(Host& host, ParamsHeader& r, int x, int y) {
    const int now = itemAt(r, x, y);
    const int was = itemWith(r, false);
    if (now == was) return;
    if (was != None) r.*kItems[was].over = 0;
    if (now == None) {
        host.setCursor(r.previousCursor);
        host.releasePointer();
        return;
    }
    r.*kItems[now].over = 1;
    if (was == None) {
        host.capturePointer();
        r.previousCursor = host.setCursor(kItems[now].cursor);
    } else {
        host.setCursor(kItems[now].cursor);
    }
}

// Leaving the panel ends any hover and drag.
void endPointerWork(Host& host, ParamsHeader* r) {
    if (r == nullptr) return;
    for (const GrabItem& item : kItems) r->*item.drag = 0;
    if (itemWith(*r, false) == None) return;
    for (const GrabItem& item : kItems) r->*item.over = 0;
    host.setCursor(r->previousCursor);
    host.releasePointer();
}

// The dragged item takes the pointer's value; a refused Tmax or Tmin ends a drag while moving.
void applyDrag(Host& host, ProgramState& s, int item, int x, int y, bool moving) {
    ParamsHeader& r = *s.lpParamsHeader;
    if (item == APlus) r.dwAPlus = positionFromPoint(y, r);
    if (item == BMinus) r.dwBMinus = positionFromPoint(y, r);
    if (item == TmaxLine && r.dwOverTmaxLine != 0) {
        const std::int32_t v = tmaxFromPoint(x, y, r);
        if (isTmaxAllowed(v, r) != 0)
            r.dwTmax = v;
        else if (moving)
            r.dwDragTmaxLine = 0;
    }
    if (item == TminLine && r.dwOverTminLine != 0) {
        const std::int32_t v = tminFromPoint(x, y, r);
        if (isTminAllowed(v, r) != 0)
            r.dwTmin = v;
        else if (moving)
            r.dwDragTminLine = 0;
    }
    r.dwRedrawChanged = 1;
    handleCommand(host, s, CMD_REDRAW_WORK_AREA);
}

// A tuple series needs a subset to be made: without one the subset panel is shown instead.
void nextSeriesOrSubsets(Host& host, ProgramState& s) {
    if (isTupleSeriesType(s.wSeriesType) && s.subsetPanel.subset().empty()) {
        s.dwViewMode = VIEW_SUBSET_PANEL;
        return handleCommand(host, s, IDM_SELECT_SUBSETS);
    }
    handleCommand(host, s, CMD_NEXT_DATA);
}

void clearOptionRowFlags(ProgramState& s) {
    s.seriesLengthRowPending = s.noiseLevelRowPending = s.lostDataRowPending = false;
}

void leavePanel(Host& host, ProgramState& s) {
    endPointerWork(host, s.lpParamsHeader.get());
    host.hideEditField();
}

void cancel(Host& host, ProgramState& s) {
    leavePanel(host, s);
    s.dwViewMode = VIEW_RESULTS;
    clearOptionRowFlags(s);
    nextSeriesOrSubsets(host, s);
}

// The edit field's text as a Tmin: digits only (blanks round them allowed), 1 to 65535.
bool readTmin(Host& host, const std::string& text, std::uint16_t& value) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    const std::string digits =
        first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    const bool isNumber =
        !digits.empty() && digits.size() <= 5 &&
        std::all_of(digits.begin(), digits.end(),
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
    if (isNumber && std::stol(digits) <= 65535) {
        value = static_cast<std::uint16_t>(std::stol(digits));
        return true;
    }
    // Tmin must be a whole number from 1 to 65535.
    host.messageBox("Tmin должно быть целым числом от 1 до 65535!\nTmin: " + text, " Tmin ",
                    MessageIcon::Exclamation);
    return false;
}

void ok(Host& host, ProgramState& s) {
    std::uint16_t tmin = 0;
    if (!readTmin(host, host.editFieldText(), tmin) ||
        !validateSeriesGeometry(host, tmin, s.wTmax, s.dwSeriesLengthSel, s.wEtalonLength))
        return;
    s.wTmin = tmin;
    leavePanel(host, s);
    s.buttonsAreaPending = true;
    s.dwViewMode = VIEW_RESULTS;
    s.lostDataRowPending = false;
    nextSeriesOrSubsets(host, s);
}

// The plot's own parts: the tick areas and the items that can be grabbed.
bool pressPlot(Host& host, ProgramState& s, int x, int y) {
    ParamsHeader& r = *s.lpParamsHeader;
    if (!canPlotParams(r)) return false;
    const std::size_t areas = std::min<std::size_t>(static_cast<std::size_t>(std::max(r.dwAreas, 0)),
                                                    r.pulsesSelectedAreas.size());
    for (std::size_t i = 0; i < areas; ++i) {
        if (!r.pulsesSelectedAreas[i].contains(x, y)) continue;
        r.dwPulses = r.dwMinPulses + static_cast<std::int32_t>(i);
        r.dwRedrawChanged = 1;
        handleCommand(host, s, CMD_REDRAW_WORK_AREA);
        return true;
    }
    hover(host, r, x, y);  // a window sees the pointer arrive before the press
    const int item = itemAt(r, x, y);
    if (item == None) return false;
    r.*kItems[static_cast<std::size_t>(item)].drag = 1;
    return true;
}

void restart(Host& host, ProgramState& s) {
    leavePanel(host, s);
    if (isTupleSeriesType(s.wSeriesType)) {
        s.dwViewMode = VIEW_SUBSET_PANEL;
        return handleCommand(host, s, IDM_SELECT_SUBSETS);
    }
    s.dwViewMode = VIEW_ETALON_GRID;
    s.buttonsAreaPending = true;
    handleCommand(host, s, CMD_SHOW_ETALON_GRID);
}

void next(Host& host, ProgramState& s) {
    leavePanel(host, s);
    if (!(isTupleSeriesType(s.wSeriesType) && s.subsetPanel.subset().empty())) {
        s.dwViewMode = VIEW_RESULTS;
        clearOptionRowFlags(s);
        s.buttonsAreaPending = true;
    }
    nextSeriesOrSubsets(host, s);
}

}  // namespace

void handleParamsPanelPress(Host& host, ProgramState& state, int x, int y) {
    ParamsHeader* r = state.lpParamsHeader.get();
    if (r != nullptr) {
        if (r->buttonRects[0].contains(x, y)) return cancel(host, state);
        if (r->buttonRects[1].contains(x, y)) return ok(host, state);
        if (itemWith(*r, true) == None && pressPlot(host, state, x, y)) return;
    }
    const WindowLayout layout = currentLayout(host, state);
    if (layout.restartButton.contains(x, y)) return restart(host, state);
    if (layout.nextButton.contains(x, y)) return next(host, state);
    if (layout.exitButton.contains(x, y)) return handleCommand(host, state, CMD_CLOSE);
    handleClickOutsidePanel(host, state, x, y);  // the select-all button and the option rows
    if (state.dwViewMode != VIEW_PARAMS_PANEL) leavePanel(host, state);
}

void handleParamsPanelMove(Host& host, ProgramState& state, int x, int y) {
    if (!state.lpParamsHeader) return;
    ParamsHeader& r = *state.lpParamsHeader;
    const int dragged = itemWith(r, true);
    if (dragged != None) return applyDrag(host, state, dragged, x, y, true);
    hover(host, r, x, y);
}

void handleParamsPanelRelease(Host& host, ProgramState& state, int x, int y) {
    if (!state.lpParamsHeader) return;
    ParamsHeader& r = *state.lpParamsHeader;
    const int dragged = itemWith(r, true);
    if (dragged == None) return;
    applyDrag(host, state, dragged, x, y, false);
    r.*kItems[static_cast<std::size_t>(dragged)].drag = 0;
}

}  // namespace mirovale
