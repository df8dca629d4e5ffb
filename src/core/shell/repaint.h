#pragma once

#include "core/host/host.h"
#include "core/state/program_state.h"

namespace mirovale {

// The repaints the commands ask for, as invalidated rectangles of the layout for the host's
// client size and line height. Those that serve a repaint-pending flag clear it.

// The whole client area, erasing (CMD_REPAINT_ALL, CMD_APPLY_OPTIONS).
void repaintWholeWindow(Host& host, const ProgramState& state);
// The work area extended 10 pixels upwards.
// erase : false repaints over what is there
void repaintWorkArea(Host& host, const ProgramState& state, bool erase);
// The buttons area, and its flag cleared.
void repaintButtonsArea(Host& host, ProgramState& state);
// Each option row whose flag is set, in the order series length, noise level, lost data level,
// and its flag cleared.
void repaintPendingOptionRows(Host& host, ProgramState& state);

// CMD_SHOW_RESULTS: the work area (erasing unless dwTypeMoreDetails is set), the flagged option
// rows and, when flagged, the buttons area.
void showResults(Host& host, ProgramState& state);
// CMD_SHOW_SELECTED_ETALON: the cell of dwSelectedEtalon, and for detection that of
// dwPrevSelectedEtalon, otherwise the select-all button.
void showSelectedEtalon(Host& host, const ProgramState& state);
// CMD_SHOW_ETALON_GRID: the work area, the select-all button unless the task is detection, and
// the buttons area when flagged.
void showEtalonGrid(Host& host, ProgramState& state);

// CMD_SHOW_SUBSET_PANEL and CMD_SHOW_ALPHABET_PANEL: the box of the selection being built.
void repaintPanelArea(Host& host, const ProgramState& state);
// CMD_SHOW_SUBSET_LIST: every stored-subset row and the panel area.
void showSubsetList(Host& host, const ProgramState& state);
// CMD_SHOW_ALPHABET_LIST: every stored-alphabet row and the panel area.
void showAlphabetList(Host& host, const ProgramState& state);
// CMD_SHOW_ALPHABET_ITEM: the available item dwRepaintItem of the alphabet panel.
void showAlphabetItem(Host& host, const ProgramState& state);

}  // namespace mirovale
