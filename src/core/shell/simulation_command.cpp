#include "core/shell/simulation_command.h"

#include <algorithm>
#include <string>

#include "core/dialogs/settings_dialogs.h"
#include "core/host/format_text.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/dialog_commands.h"

namespace mirovale {
namespace {

// The pulse range of the length and intervals typed in dialog 105; the least is not raised to 1.
void computeSimulationRange(ProgramState& s) {
    const PulseRange range =
        pulseRange(s.dwTmpSeriesLength, s.wEtalonLength, s.wTmpTmin, s.wTmpTmax);
    s.wTmpMinPulses = range.wMinPulses;
    s.wTmpMaxPulses = range.wMaxPulses;
}

// The first opening fills the etalon sequence with the etalon number of dialog 105.
void resetSequenceOnce(ProgramState& s) {
    if (s.dwResetSequenceOnSim != 1) return;
    const std::size_t n = std::min<std::size_t>(s.wMaxPulses, s.lpEtalonSequence.size());
    std::fill_n(s.lpEtalonSequence.begin(), n, static_cast<std::uint16_t>(s.dwEtalonNumber));
    s.dwResetSequenceOnSim = 0;
}

void takeSimulationValues(ProgramState& s) {
    s.dwSeriesLengthSel = s.dwSeriesLength = s.dwTmpSeriesLength;
    s.wTmin = s.wTmpTmin;
    s.wTmax = s.wTmpTmax;
    s.wSavedEnergyMaking = s.wTmpSavedEnergyMaking;
    s.wSavedEnergyProcessing = s.wTmpSavedEnergyProcessing;
    s.wMinPulses = s.wTmpMinPulses;
    s.wMaxPulses = s.wTmpMaxPulses;
    if (s.wPulsesIncrement == 0) s.wPulsesIncrement = 1;
    // Worked out signed: a "to" below "from" leaves no pulse number instead of wrapping.
    const int span = s.wMaxPulses - s.wMinPulses;
    s.wPulsesSteps = span < 0 ? 0 : static_cast<std::uint16_t>(span / s.wPulsesIncrement + 1);
}

std::string parametersText(const ProgramState& s) {
    std::string text = "Create series parameters:\n";
    text += formatText("длина серии: %d\n", static_cast<int>(s.dwSeriesLength));
    text += formatText("wTmin: %d\n", s.wTmin);
    text += formatText("wTmax: %d\n", s.wTmax);
    text += formatText("длина эталона: %d\n", s.wEtalonLength);
    text += formatText("MinPulses: %d -> %d\n", s.wTmpMinPulses, s.wMinPulses);
    text += formatText("MaxPulses: %d -> %d\n", s.wTmpMaxPulses, s.wMaxPulses);
    text += "\n";
    text += formatText("pulses: %d, from %d to %d incr %d \n", s.wPulsesSteps, s.wMinPulses,
                       s.wMaxPulses, s.wPulsesIncrement);
    text += formatText("noise level: from %d to %d incr %d\n", s.wInitialNoiseLevel, s.wNoiseSteps,
                       s.wNoiseIncrement);
    text += formatText("number of repeats: %d\n", s.wRepeats);
    return text;
}

}  // namespace

bool simulationParameters(Host& host, ProgramState& state) {
    handleCommand(host, state, CMD_SERIES_PARAMETERS);
    if (state.dwDialogAccepted == 0) return false;
    computeSimulationRange(state);
    resetSequenceOnce(state);
    LocationParametersDialog dialog(state);
    if (host.runDialog(dialog) != DialogResult::Ok) return false;
    takeSimulationValues(state);
    return true;
}

SimulationPlan simulationPlanOf(const ProgramState& s) {
    SimulationPlan plan;
    plan.dwSeriesLength = s.dwSeriesLength;
    plan.wEtalonLength = s.wEtalonLength;
    plan.wTmin = s.wTmin;
    plan.wTmax = s.wTmax;
    plan.wPulsesSteps = s.wPulsesSteps;
    plan.wMinPulses = s.wMinPulses;
    plan.wPulsesIncrement = s.wPulsesIncrement;
    plan.wNoiseSteps = s.wNoiseSteps;
    plan.wInitialNoiseLevel = s.wInitialNoiseLevel;
    plan.wNoiseIncrement = s.wNoiseIncrement;
    plan.wRepeats = s.wRepeats;
    return plan;
}

SimulationSettings simulationSettingsOf(ProgramState& s) {
    SimulationSettings settings;
    settings.wEtalonCount = s.wEtalonCount;
    settings.etalonTable = &s.etalonTable;
    const std::size_t required = std::min<std::size_t>(s.wRequiredCount, s.lpRequiredList.size());
    settings.lpRequiredList = std::span<const std::uint16_t>(s.lpRequiredList).first(required);
    settings.wSeriesType = s.wSeriesType;
    settings.wProcessingTask = s.wProcessingTask;
    settings.wSavedEnergyMaking = s.wSavedEnergyMaking;
    settings.wSavedEnergyProcessing = s.wSavedEnergyProcessing;
    settings.wAmplitude = s.wAmplitude;
    settings.wSubsetProceeding = s.wSubsetProceeding;
    settings.dwDebuggingRepeat = &s.dwDebuggingRepeat;
    return settings;
}

bool runSimulationFromState(Host& host, ProgramState& state, const SimulationControl& control) {
    host.messageBox(parametersText(state), "getPulseEstAsRepeats", MessageIcon::None);
    return runStatisticalSimulation(host, simulationPlanOf(state), simulationSettingsOf(state),
                                    state.generators, state.wNoiseSeed, state.lpSeriesHeader,
                                    state.lpRestErrorHeader, state.simulationTimes, control) == 1;
}

bool prepareStatisticalSimulation(Host& host, ProgramState& state) {
    state.wLostLevel = state.wLostLevelSel;
    state.wSavedEnergyMaking = state.wSavedEnergyMakingSel;
    state.wSavedEnergyProcessing = state.wSavedEnergyProcessingSel;
    handleCommand(host, state, CMD_SIMULATION_PARAMETERS);
    return state.dwDialogAccepted != 0;
}

bool statisticalSimulation(Host& host, ProgramState& state, const SimulationControl& control) {
    if (!prepareStatisticalSimulation(host, state)) return false;
    const bool complete = runSimulationFromState(host, state, control);
    showStatisticalSimulation(host, state);
    return complete;
}

}  // namespace mirovale
