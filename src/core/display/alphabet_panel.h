#pragma once

#include "core/display/layout.h"
#include "core/host/canvas.h"
#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// Makes the alphabet panel's arrays unless they exist (makeAlphabetArrays, which also sets
// dwQuickGroups from its default): 1 when they exist, 0 after an allocation failure was shown;
// a later repaint tries again.
int prepareAlphabetPanel(Host& host, ProgramState& state);

// Draws the alphabet panel (view 11) into the work area of `layout`: the available etalons as
// selection-panel cells (taken ones, flag bit 1, greyed), the slots of the alphabet being
// composed (all grey while dwMarkAllAlphabets is set), the seven buttons " Delete All ",
// " Delete ", " Cancel ", " OK ", " Accept ", " Clear All ", " Quick " (their rectangles
// recorded, dwAlphabetButtons = 7) and the stored alphabets, the current one red; clears
// dwMarkAllAlphabets. Without the panel's arrays only the available etalons are drawn; a failed
// allocation of the button rectangles is shown through `host` and ends the drawing.
void drawAlphabetPanel(Host& host, Canvas& canvas, const WindowLayout& layout,
                       ProgramState& state);

}  // namespace mirovale
