#pragma once

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// The pointer in the parameters panel (view 10). Every point is in client pixels and is tested
// against the record lpParamsHeader as last drawn; the plot's parts answer only while the
// record can be plotted (canPlotParams).

// The left button pressed at (x, y), in this order: " Cancel " (hides the edit field and makes
// and processes a new series, or turns to the subset panel for a tuple series without a
// subset); " OK " (takes the edit field's text as wTmin when it is a number from 1 to 65535 that
// the series geometry admits, else shows why and keeps the old wTmin and the panel); a
// pulse-count tick area (shows that count); the a+ band, the b- band, the Tmin line or the Tmax
// line (starts dragging it); the Restart, Next and Exit buttons; then the select-all button and
// the option rows.
void handleParamsPanelPress(Host& host, ProgramState& state, int x, int y);

// The pointer moved to (x, y). While an item is dragged its value follows the pointer and the
// work area is redrawn over itself (dwRedrawChanged); a Tmax or Tmin the panel does not admit
// ends the drag and keeps the last admitted value. Otherwise the hover: entering a band or line
// captures the pointer and shows its resize cursor, leaving it restores the cursor and releases
// the capture.
void handleParamsPanelMove(Host& host, ProgramState& state, int x, int y);

// The left button released at (x, y): a drag takes the pointer's value, if admitted, and ends.
void handleParamsPanelRelease(Host& host, ProgramState& state, int x, int y);

}  // namespace mirovale
