#pragma once

#include <memory>

#include "core/dialogs/chart_dialog.h"
#include "core/dialogs/series_dialogs.h"
#include "core/dialogs/settings_dialogs.h"

namespace mirovale {

// The model of dialog `id` (105..114) on `state`.
inline std::unique_ptr<DialogModel> makeDialog(int id, ProgramState& state) {
    switch (id) {
        case 105:
            return std::make_unique<SeriesParametersDialog>(state);
        case 106:
            return std::make_unique<SeriesStructureDialog>(state);
        case 107:
            return std::make_unique<RequiredEtalonsDialog>(state);
        case 110:
            return std::make_unique<LocationParametersDialog>(state);
        case 111:
            return std::make_unique<SubsetSettingsDialog>(state);
        case 112:
            return std::make_unique<DrawingSettingsDialog>(state);
        case 113:
            return std::make_unique<ChartSettingsDialog>(state, false);
        case 114:
            return std::make_unique<ChartSettingsDialog>(state, true);
        default:
            return nullptr;
    }
}

inline constexpr int kDialogIds[] = {105, 106, 107, 110, 111, 112, 113, 114};

// A state as start-up leaves it: both sequences and the required list filled.
inline ProgramState startedState() {
    ProgramState state;
    state.lpEditSequence = {1, 1, 1, 1};
    state.lpRequiredList = {1, 2, 3, 4, 5};
    state.wRequiredCount = 5;
    state.wRequestedPulses = 3;
    state.wTmpMinPulses = 6;
    state.wTmpMaxPulses = 30;
    return state;
}

}  // namespace mirovale
