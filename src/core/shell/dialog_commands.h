#pragma once

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// CMD_SERIES_PARAMETERS: makes sure an etalon is required and selected, then runs the first
// "Create Series" dialog (105). A length and interval limits that no series can be made with
// are refused after the dialog with a message, and the dialog counts as cancelled.
// returns true when the dialog ended with OK and its values can be taken (dwDialogAccepted 1)
bool seriesParameters(Host& host, ProgramState& state);

// " Create series... ": the two "Create Series" dialogs, then the values taken, the chains record
// re-dimensioned, the series types 1 and 4 turned into 16 and 32, and an edited series made.
// Cancelling either dialog ends the command (the second restores wRequestedPulses).
void createSeries(Host& host, ProgramState& state);

// " New pulses... ": the "List of Required Etalons" dialog, then every entry outside the
// alphabet replaced by its position + 1 and the flags of the listed etalons added. No repaint.
void editRequiredEtalons(Host& host, ProgramState& state);

// " Subset settings ...": dialog 111, then the stored subsets (tuple recognition) or the
// selected subset with the complete employment attached to the series.
void subsetSettings(Host& host, ProgramState& state);

// " Drawing settings ...": dialog 112. No repaint.
void drawingSettings(Host& host, ProgramState& state);

// " Show Statistical Simulation": nothing unless the last simulation ran to its end; otherwise
// the chart settings dialog (114 for recognition, else 113), the chart mode derived from them,
// the result view 2 in view 6 and its repaint.
void showStatisticalSimulation(Host& host, ProgramState& state);

// The chart kind of the chart settings: restoring error 0 / 1, detection error 2 / 3,
// recognition error 4 / 5 or 12 / 13 with the bounds included (componentwise / summary).
[[nodiscard]] std::uint32_t chartMode(std::uint32_t dwHandlingCase, std::uint32_t dwViewCase,
                                      std::uint32_t dwBoundsIncluded);

}  // namespace mirovale
