#pragma once

#include <cstdint>

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// Runs one command of the workbench to its end: a menu item (40001..40035) or an internal
// command (204..227). Commands that a command sends to the window are nested calls of this
// function; the sender continues after them. Unknown numbers, 217, 219, 220, 40014 and 40034
// do nothing.
// host      : check marks, repaints, dialogs, messages and closing
// state     : the workbench
// commandId : the low 16 bits of the command word
void handleCommand(Host& host, ProgramState& state, std::uint16_t commandId);

}  // namespace mirovale
