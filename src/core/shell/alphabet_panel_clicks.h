#pragma once

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// A left-button press at client point (x, y) in the alphabet panel (view 11), in this order: an
// available etalon not yet taken (appended and taken, flag bit 1, after the marked slots are
// deleted and released), the box of slots, the seven text buttons as last drawn (" Delete All ",
// " Delete ", " Cancel ", " OK ", " Accept ", " Clear All ", " Quick "), the frames of the stored
// alphabets; anything else goes to the picture buttons and the option rows. Without the panel's
// arrays only the picture buttons and option rows answer.
//
// An etalon's flag is the one at its position in the required list, for taking and releasing
// alike. An etalon is taken only when it finds a slot, and the etalons of an alphabet that is
// dropped (" Accept " on a full store, " Clear All " of the alphabet being composed) are
// released, so that every taken etalon is in a slot or a stored alphabet.
void handleAlphabetPanelClick(Host& host, ProgramState& state, int x, int y);

}  // namespace mirovale
