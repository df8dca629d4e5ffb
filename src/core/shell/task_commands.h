#pragma once

#include <cstdint>

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// The " Select Task Type" commands: " Detection" (40005), " Recognition" (40006), " Joint
// Detection and Identification" (40007), " Series Processing" (40027) and " Alphabet
// Recognition" (40034, which does nothing). Each sets the task, keeps the check marks of the
// four task items (never that of 40034) and, for detection of whole pulses, makes the selected
// etalon the only required one.
// commandId : one of the five items; any other number does nothing
void selectTaskType(Host& host, ProgramState& state, std::uint16_t commandId);

// The " Select Series Type" commands (40008, 40009, 40010, 40011, 40028, 40032): set the series
// type and check its item alone. The whole-pulse types also reset the lost data level to its
// first option and every saved energy level to 100; the cut-off types keep them. No repaint.
// commandId : one of the six items; any other number does nothing
void selectSeriesType(Host& host, ProgramState& state, std::uint16_t commandId);

// The item of " Select Series Type" that sets `wSeriesType`; 0 for a code no item sets.
[[nodiscard]] std::uint16_t seriesTypeCommand(std::uint16_t wSeriesType);

}  // namespace mirovale
