#pragma once

#include <cstdint>

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// A key pressed in the client area: the key codes 0 and 1 repaint the whole window, erasing;
// every other key is ignored.
// keyCode : the front end's code of the key
void handleKeyDown(Host& host, const ProgramState& state, std::uint32_t keyCode);

}  // namespace mirovale
