#pragma once

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// Brings a state from its program-start values to a working workbench, as the window's creation
// does: the alphabet, every etalon required, alphabet recognition (48) on series type 4 with
// their menu items checked, the alphabet-selection panel (view 11), the chains record and a first
// series without noise and unprocessed. A failed alphabet or series has been reported by the
// routine that failed; start-up goes on and leaves lpSeriesHeader null in the second case.
// host  : menu check marks and messages
// state : holds its program-start values (deriveStartValues has run)
void startUp(Host& host, ProgramState& state);

// The program-start derivation, then startUp: what creating the window does to a fresh state.
void startWorkbench(Host& host, ProgramState& state);

// Releases every record the state owns, as the window's destruction does: the etalons' samples
// (marked absent), the required list (count 0), both sequences (sizes 0), the series, chains,
// error and parameters records and the panels' arrays. Releases only what exists.
void shutDown(ProgramState& state) noexcept;

}  // namespace mirovale
