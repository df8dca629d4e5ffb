#pragma once

#include <cstdint>

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// The next-step decision of the Next button in the result view and of the option rows: for the
// tuple and alphabet tasks it attaches the panels' selections to the series when there are any
// (else it turns to their panel), for the other tasks it goes on while etalons are required.
// Sets dwViewMode (and the buttons-area flag where a selection is attached).
// returns the command to send: CMD_NEXT_DATA, CMD_SHOW_SUBSET_LIST, CMD_SHOW_ALPHABET_LIST or
//         CMD_APPLY_OPTIONS
[[nodiscard]] std::uint16_t decideNextStep(Host& host, ProgramState& state);

// The left button pressed at client point (x, y): by dwViewMode the etalon grid (view 5), the
// result view (6), the subset, parameters and alphabet panels (9, 10, 11) or an empty work area
// (7, 8): etalon cells, the panels' parts, the picture buttons and the option rows, as laid out
// for the host's client size and line height. A point on a rectangle's right or bottom edge is
// inside it. The panels take their own clicks first and hand the rest to
// handleClickOutsidePanel.
// x, y : client pixels, signed
void handleClick(Host& host, ProgramState& state, int x, int y);

// The pointer moved to, or the left button was released at, client point (x, y); only the
// parameters panel (view 10) answers, with its hover and drags.
void handlePointerMove(Host& host, ProgramState& state, int x, int y);
void handlePointerRelease(Host& host, ProgramState& state, int x, int y);

// What the subset and alphabet panels (views 9 and 11) do with a click they do not take: the
// Restart, Next, Exit and select-all buttons, then the option rows, as in the result view.
void handleClickOutsidePanel(Host& host, ProgramState& state, int x, int y);

// The option rows alone: series length, noise level and, for the cut-off types, lost data level.
// A hit on an option takes it and remakes and reprocesses the series at once when the result
// view follows; a click that hits no option sends CMD_NONE.
void handleOptionRowsClick(Host& host, ProgramState& state, int x, int y);

}  // namespace mirovale
