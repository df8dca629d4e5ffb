#pragma once

#include "core/display/layout.h"
#include "core/host/canvas.h"
#include "core/state/program_state.h"

namespace mirovale {

// Draws the result view of a processed series into the work area of `layout`: captions, the
// three graphs, the result block, the chain table and the alphabet and pattern panels. Reads
// the records of `state`; records the alphabets band's and the pattern tuples' rectangles in
// its panels' label tables.
void drawSeriesGraph(Canvas& canvas, ProgramState& state, const WindowLayout& layout);

}  // namespace mirovale
