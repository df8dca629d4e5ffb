#include "core/shell/task_commands.h"

#include "core/shell/command_handler.h"
#include "core/shell/commands.h"

namespace mirovale {
namespace {

// The four task items the task commands keep; " Alphabet Recognition" is not among them.
constexpr std::uint16_t kKeptTaskItems[] = {IDM_DETECTION, IDM_RECOGNITION, IDM_JOINT_DETECTION,
                                            IDM_SERIES_PROCESSING};

void checkTaskItem(Host& host, std::uint16_t checked) {
    host.checkMenuItem(checked, true);
    for (const std::uint16_t item : kKeptTaskItems)
        if (item != checked) host.checkMenuItem(item, false);
}

// Detection of whole pulses uses the one etalon selected in the etalon grid.
void requireSelectedEtalonOnly(ProgramState& s) {
    s.wEtalonFlags.fill(0);
    if (s.dwSelectedEtalon >= 1 && s.dwSelectedEtalon <= s.wEtalonFlags.size())
        s.wEtalonFlags[s.dwSelectedEtalon - 1] |= 1u;
    rebuildRequiredList(s);
}

struct SeriesTypeItem {
    std::uint16_t commandId;
    std::uint16_t wSeriesType;
};
constexpr SeriesTypeItem kSeriesTypes[] = {
    {IDM_FIXED_WHOLE, SERIES_FIXED_WHOLE},   {IDM_UNFIXED_WHOLE, SERIES_UNFIXED_WHOLE},
    {IDM_FIXED_CUTOFF, SERIES_FIXED_CUTOFF}, {IDM_UNFIXED_CUTOFF, SERIES_UNFIXED_CUTOFF},
    {IDM_FIXED_TUPLES, SERIES_FIXED_TUPLES}, {IDM_UNFIXED_TUPLES, SERIES_UNFIXED_TUPLES},
};

void resetLostDataLevel(ProgramState& s) {
    s.dwLostLevelIndex = 1;
    s.wLostLevelSel = s.wLostLevel = 0;
    s.wSavedEnergyMakingSel = s.wSavedEnergyMaking = s.wTmpSavedEnergyMaking = 100;
    s.wSavedEnergyProcessingSel = s.wSavedEnergyProcessing = 100;
}

}  // namespace

void selectTaskType(Host& host, ProgramState& state, std::uint16_t commandId) {
    switch (commandId) {
        case IDM_DETECTION:
            state.wTaskType = TASK_DETECTION;
            checkTaskItem(host, IDM_DETECTION);
            if (isTupleSeriesType(state.wSeriesType)) {
                state.wProcessingTask = TASK_TUPLE_DETECTION;
                return;
            }
            state.wProcessingTask = TASK_DETECTION;
            requireSelectedEtalonOnly(state);
            return;
        case IDM_RECOGNITION:
            state.wTaskType = state.wProcessingTask = TASK_RECOGNITION;
            checkTaskItem(host, IDM_RECOGNITION);
            if (state.wSeriesType == SERIES_FIXED_TUPLES)
                state.wProcessingTask = TASK_TUPLE_RECOGNITION;
            return;
        case IDM_JOINT_DETECTION:
            state.wTaskType = state.wProcessingTask = TASK_JOINT_DETECTION;
            checkTaskItem(host, IDM_JOINT_DETECTION);
            return;
        case IDM_SERIES_PROCESSING:
            state.wTaskType = state.wProcessingTask = TASK_SERIES_PROCESSING;
            state.wResultView = 1;
            checkTaskItem(host, IDM_SERIES_PROCESSING);
            handleCommand(host, state, CMD_NONE);
            return;
        default:  // " Alphabet Recognition" has no action
            return;
    }
}

void selectSeriesType(Host& host, ProgramState& state, std::uint16_t commandId) {
    const SeriesTypeItem* chosen = nullptr;
    for (const SeriesTypeItem& item : kSeriesTypes)
        if (item.commandId == commandId) chosen = &item;
    if (chosen == nullptr) return;
    state.wSeriesType = chosen->wSeriesType;
    host.checkMenuItem(commandId, true);
    for (const SeriesTypeItem& item : kSeriesTypes)
        if (item.commandId != commandId) host.checkMenuItem(item.commandId, false);
    if (!isCutOffSeriesType(state.wSeriesType)) resetLostDataLevel(state);
}

std::uint16_t seriesTypeCommand(std::uint16_t wSeriesType) {
    for (const SeriesTypeItem& item : kSeriesTypes)
        if (item.wSeriesType == wSeriesType) return item.commandId;
    return 0;
}

}  // namespace mirovale
