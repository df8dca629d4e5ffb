#pragma once

#include "core/display/layout.h"
#include "core/host/canvas.h"
#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// Makes the subset panel's arrays unless they exist (makeSubsetArrays): 1 when they exist, 0
// after an allocation failure was shown; a later repaint tries again.
int prepareSubsetPanel(Host& host, ProgramState& state);

// Draws the subset panel (view 9) into the work area of `layout`: the available etalons (the
// first wRequiredCount of lpRequiredList, as the series holds them), the slots of the subset
// being built, and the buttons " Delete All ", " Delete ", " Cancel ", " OK ", whose rectangles
// it records with dwSubsetButtons = 4. Without the panel's arrays only the available etalons
// are drawn. A failed allocation of the button rectangles is shown through `host` and ends the
// drawing.
void drawSubsetPanel(Host& host, Canvas& canvas, const WindowLayout& layout, ProgramState& state);

// The stored-subsets variant, for processing task 40: 10 slots, the buttons " Accept " and
// " Clear All " besides (dwSubsetButtons = 6) and the stored subsets, the current one red. When
// dwMarkAllSubsets is set it first marks every used slot, and it clears it at the end.
void drawSubsetArrayPanel(Host& host, Canvas& canvas, const WindowLayout& layout,
                          ProgramState& state);

}  // namespace mirovale
