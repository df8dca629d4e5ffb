#pragma once

#include "core/display/layout.h"
#include "core/host/canvas.h"
#include "core/state/program_state.h"

namespace mirovale {

// Draws the alphabet view: every etalon in its cell of `layout`, the required ones stressed.
void drawEtalonGrid(Canvas& canvas, const ProgramState& state, const WindowLayout& layout);

}  // namespace mirovale
