#include "core/shell/command_handler.h"

#include "core/export/snapshot.h"
#include "core/shell/commands.h"
#include "core/shell/dialog_commands.h"
#include "core/shell/make_series.h"
#include "core/shell/repaint.h"
#include "core/shell/simulation_command.h"
#include "core/shell/task_commands.h"

namespace mirovale {
namespace {

// Option i (1-based) of an option table whose element 0 is the number of options; an index
// outside the table takes the first option.
std::uint32_t optionValue(const std::array<std::uint32_t, 4>& options, std::uint32_t index) {
    return index >= 1 && index < options.size() ? options[index] : options[1];
}

// CMD_APPLY_OPTIONS: the pending values again from the three option rows' indexes.
void applyOptions(Host& host, ProgramState& s) {
    s.dwSeriesLengthSel = optionValue(s.dwSeriesLengthOptions, s.dwSeriesLengthIndex);
    updatePulseRange(s, s.dwSeriesLengthSel);
    s.wRequestedPulses = PulseRange{s.wMinPulses, s.wMaxPulses}.middle();
    s.wNoiseLevelSel =
        static_cast<std::int16_t>(optionValue(s.dwNoiseLevelOptions, s.dwNoiseLevelIndex));
    s.wLostLevelSel =
        static_cast<std::int16_t>(optionValue(s.dwLostLevelOptions, s.dwLostLevelIndex));
    s.wSavedEnergyMakingSel = s.wSavedEnergyProcessingSel =
        static_cast<std::uint16_t>(100 - s.wLostLevelSel);
    repaintWholeWindow(host, s);
}

// " Save image as...": the window image as it is before the dialog opens.
void saveImage(Host& host, ProgramState& s) {
    if (saveSnapshot(host, s.szSnapshotFile) == 0)
        host.messageBox("Проблемы при выполнении MakeSnapshot", "Open File Name", MessageIcon::None);
}

void switchView(Host& host, ProgramState& s, std::uint32_t view) {
    s.dwViewMode = view;
    repaintWorkArea(host, s, true);
}

void viewSeriesParameters(Host& host, ProgramState& s) {
    s.dwViewMode = VIEW_PARAMS_PANEL;
    s.lpParamsHeader = getParamsHeader(host, s.lpSeriesHeader.get(), std::move(s.lpParamsHeader));
    repaintWorkArea(host, s, true);
}

// " Processing Same Data", " Processing Next Data ", " Fixed case", " Unfixed case", the repeat
// commands and " Debugging repeat ": set what they set, then run the flow.
void rerun(Host& host, ProgramState& s, std::uint16_t commandId) {
    s.wResultView = 1;
    switch (commandId) {
        case IDM_FIXED_CASE:
            s.wSeriesType = SERIES_FIXED_WHOLE;
            break;
        case IDM_UNFIXED_CASE:
            s.wSeriesType = SERIES_UNFIXED_WHOLE;
            break;
        case IDM_REPEAT_DETECTION:
            s.wTaskType = TASK_DETECTION;
            break;
        case IDM_REPEAT_RECOGNITION:
            s.wTaskType = TASK_RECOGNITION;
            break;
        case IDM_REPEAT_JOINT_DETECTION:
            s.wTaskType = TASK_JOINT_DETECTION;
            break;
        case IDM_REPEAT_SERIES_PROCESSING:
            s.wTaskType = TASK_SERIES_PROCESSING;
            break;
        case IDM_DEBUGGING_REPEAT:
            s.dwDebuggingRepeat = 1;
            break;
        default:
            break;
    }
    const bool same = commandId == IDM_PROCESS_SAME || commandId == IDM_DEBUGGING_REPEAT;
    handleCommand(host, s, same ? CMD_PROCESS : CMD_NEXT_DATA);
}

bool handleInternal(Host& host, ProgramState& s, std::uint16_t id) {
    switch (id) {
        case CMD_CLOSE:
            host.closeWindow();
            return true;
        case CMD_NEXT_DATA:
            runMakeSeriesFlow(host, s, FlowEntry::NextData);
            return true;
        case CMD_REPAINT_ALL:
            repaintWholeWindow(host, s);
            return true;
        case CMD_MAKE_SERIES:
            runMakeSeriesFlow(host, s, FlowEntry::MakeSeries);
            return true;
        case CMD_ADD_NOISE:
            runMakeSeriesFlow(host, s, FlowEntry::AddNoise);
            return true;
        case CMD_PROCESS:
            runMakeSeriesFlow(host, s, FlowEntry::Process);
            return true;
        case CMD_APPLY_OPTIONS:
            applyOptions(host, s);
            return true;
        case CMD_SHOW_SELECTED_ETALON:
            showSelectedEtalon(host, s);
            return true;
        case CMD_SHOW_ETALON_GRID:
            showEtalonGrid(host, s);
            return true;
        case CMD_SIMULATION_PARAMETERS:
            simulationParameters(host, s);
            return true;
        case CMD_SERIES_PARAMETERS:
            seriesParameters(host, s);
            return true;
        case CMD_MAKE_EDITED_SERIES:
            runMakeSeriesFlow(host, s, FlowEntry::MakeEditedSeries);
            return true;
        case CMD_SHOW_RESULTS:
            runMakeSeriesFlow(host, s, FlowEntry::ShowResults);
            return true;
        case CMD_SHOW_SUBSET_PANEL:
        case CMD_SHOW_ALPHABET_PANEL:
            repaintPanelArea(host, s);
            return true;
        case CMD_REPAINT_WORK_AREA:
            repaintWorkArea(host, s, true);
            return true;
        case CMD_REDRAW_WORK_AREA:
            repaintWorkArea(host, s, false);
            return true;
        case CMD_SHOW_SUBSET_LIST:
            showSubsetList(host, s);
            return true;
        case CMD_SHOW_ALPHABET_LIST:
            showAlphabetList(host, s);
            return true;
        case CMD_SHOW_ALPHABET_ITEM:
            showAlphabetItem(host, s);
            return true;
        default:
            return false;
    }
}

void handleMenu(Host& host, ProgramState& s, std::uint16_t id) {
    switch (id) {
        case IDM_CREATE_SERIES:
            createSeries(host, s);
            return;
        case IDM_NEW_PULSES:
            editRequiredEtalons(host, s);
            return;
        case IDM_SAVE_IMAGE:
            saveImage(host, s);
            return;
        case IDM_EXIT:
            host.closeWindow();
            return;
        case IDM_DETECTION:
        case IDM_RECOGNITION:
        case IDM_JOINT_DETECTION:
        case IDM_SERIES_PROCESSING:
        case IDM_ALPHABET_RECOGNITION:
            selectTaskType(host, s, id);
            return;
        case IDM_FIXED_WHOLE:
        case IDM_UNFIXED_WHOLE:
        case IDM_FIXED_CUTOFF:
        case IDM_UNFIXED_CUTOFF:
        case IDM_FIXED_TUPLES:
        case IDM_UNFIXED_TUPLES:
            selectSeriesType(host, s, id);
            return;
        case IDM_STATISTICAL_SIMULATION:
            statisticalSimulation(host, s);
            return;
        case IDM_SHOW_STATISTICAL_SIMULATION:
            showStatisticalSimulation(host, s);
            return;
        case IDM_SELECT_SUBSETS:
            switchView(host, s, VIEW_SUBSET_PANEL);
            return;
        case IDM_SELECT_ALPHABETS:
            switchView(host, s, VIEW_ALPHABET_PANEL);
            return;
        case IDM_VIEW_SERIES_PARAMETERS:
            viewSeriesParameters(host, s);
            return;
        case IDM_MORE_DETAILS:
            handleCommand(host, s, CMD_PROCESS);
            return;
        case IDM_TYPE_MORE_DETAILS:
            s.dwTypeMoreDetails = 1;
            handleCommand(host, s, CMD_SHOW_RESULTS);
            return;
        case IDM_PROCESS_SAME:
        case IDM_PROCESS_NEXT:
        case IDM_FIXED_CASE:
        case IDM_UNFIXED_CASE:
        case IDM_REPEAT_DETECTION:
        case IDM_REPEAT_RECOGNITION:
        case IDM_REPEAT_JOINT_DETECTION:
        case IDM_REPEAT_SERIES_PROCESSING:
        case IDM_DEBUGGING_REPEAT:
            rerun(host, s, id);
            return;
        case IDM_SUBSET_SETTINGS:
            subsetSettings(host, s);
            return;
        case IDM_DRAWING_SETTINGS:
            drawingSettings(host, s);
            return;
        default:
            return;  // 40014 and unknown numbers
    }
}

}  // namespace

void handleCommand(Host& host, ProgramState& state, std::uint16_t commandId) {
    if (!handleInternal(host, state, commandId)) handleMenu(host, state, commandId);
}

}  // namespace mirovale
