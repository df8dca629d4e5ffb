#pragma once

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// What the panels have composed, handed to the current series (nothing without a series).

// The subset being built becomes the series' subset, laid by wSubsetEmployment from
// wSubsetInitPosition.
void attachSelectedSubset(ProgramState& state);

// The stored subsets become the series' subset table, the current one its subset.
// returns 1, or 0 when there is none stored or no memory (reported)
int attachStoredSubsets(Host& host, ProgramState& state);

// The stored alphabets become the series' alphabet table, the current one its alphabet.
// returns 1, or 0 when there is none stored or no memory (reported)
int attachStoredAlphabets(Host& host, ProgramState& state);

}  // namespace mirovale
