#pragma once

#include "core/host/canvas.h"
#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// The repaint of the client area: lays the window out for the host's client size and line
// height, draws the work area by dwViewMode (and wResultView), then the picture buttons of
// the view, then the option rows. Always the whole sequence; the canvas clips it to the
// region being repainted.
void paintWindow(Host& host, Canvas& canvas, ProgramState& state);

}  // namespace mirovale
