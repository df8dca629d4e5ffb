#pragma once

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// A left-button press at client point (x, y) in the subset panel (view 9), in this order: an
// available etalon (appended after the marked slots are deleted), the box of slots (marks the
// slot hit), the text buttons as last drawn (" Delete All ", " Delete ", " Cancel ", " OK ",
// and " Accept " and " Clear All " in the stored-subsets variant), the frames of the stored
// subsets; anything else goes to the picture buttons and the option rows. Without the panel's
// arrays only the picture buttons and option rows answer.
void handleSubsetPanelClick(Host& host, ProgramState& state, int x, int y);

}  // namespace mirovale
