#pragma once

#include "core/display/layout.h"
#include "core/host/canvas.h"
#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// Draws the chart of the last statistical simulation into the work area of `layout` for the
// state's dwChartMode: the text block, the etalon box, the diagnostic numbers and times, the
// pattern tuples of a tuple series and the error curves. Records the pattern tuples' rows in
// the subset panel's label table for task 40. An allocation failure is shown through `host`
// and ends the drawing.
void DrawDetectionArrayZ(Host& host, Canvas& canvas, ProgramState& state,
                         const WindowLayout& layout);

}  // namespace mirovale
