#pragma once

#include "core/host/host.h"
#include "core/simulation/simulation_plan.h"
#include "core/simulation/stat_cutoff_quorvel.h"
#include "core/state/program_state.h"

namespace mirovale {

// CMD_SIMULATION_PARAMETERS: the first "Create Series" dialog (105), the pulse range computed
// from it, the etalon sequence reset on the first opening, then " Location Parameters" (110).
// On OK takes the series length, intervals, saved energy levels and pulse range into effect; a
// pulse step of 0 becomes 1, and a range whose end lies below its start has no pulse numbers.
// returns true when both dialogs ended with OK
bool simulationParameters(Host& host, ProgramState& state);

// The plan and the driver settings " Statistical Simulation" runs with, read from the state.
// The settings borrow the state's alphabet, required list and debugging flag.
[[nodiscard]] SimulationPlan simulationPlanOf(const ProgramState& state);
[[nodiscard]] SimulationSettings simulationSettingsOf(ProgramState& state);

// Steps of " Statistical Simulation" after its dialogs: the "getPulseEstAsRepeats" message with
// the parameters, then the plan check, the series and error records prepared and the
// simulation run (runStatisticalSimulation) on the state's records and generators.
// control : progress and cancelling, none by default
// returns true when the simulation ran to its end
bool runSimulationFromState(Host& host, ProgramState& state, const SimulationControl& control = {});

// The steps of " Statistical Simulation" before the run: the pending loss and energy levels
// taken, then the parameter dialogs (CMD_SIMULATION_PARAMETERS).
// returns true when both dialogs ended with OK and the simulation is to run
bool prepareStatisticalSimulation(Host& host, ProgramState& state);

// " Statistical Simulation" (40012): prepareStatisticalSimulation (a cancel ends the command),
// runSimulationFromState, then " Show Statistical Simulation". A front end that runs the
// simulation elsewhere calls the three steps itself.
// returns true when the simulation ran to its end
bool statisticalSimulation(Host& host, ProgramState& state, const SimulationControl& control = {});

}  // namespace mirovale
