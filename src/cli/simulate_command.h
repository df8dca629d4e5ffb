#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "core/host/recording_host.h"
#include "core/state/program_state.h"

namespace CLI {
class App;
}

namespace mirovale {

// What `mirovale-cli simulate` was asked for; every setting not given keeps the value a fresh
// workbench holds after its start-up.
struct SimulateOptions {
    std::optional<std::string> task;               // detection, recognition, joint, processing
    std::optional<std::uint16_t> seriesType;       // 1, 2, 4, 8, 36 or 40
    std::optional<std::uint32_t> seriesLength;     // "Samples Length"
    std::optional<std::uint16_t> tmin;             // "Min Length of Interval"
    std::optional<std::uint16_t> tmax;             // "Max Length of Interval"
    std::optional<std::uint32_t> etalonNumber;     // "Etalon Number"
    std::optional<std::uint16_t> savedMaking;      // saved energy level for making, percent
    std::optional<std::uint16_t> savedProcessing;  // saved energy level for processing, percent
    std::string required;                          // "1,2,3": the required etalons
    std::string subset;   // "2,3": the subset being built (the current subset)
    std::string subsets;  // "1,2/3,5,4": the stored subsets, the first current
    std::string pulses;   // "from:to" or "from:to:step"
    std::string noise;    // "first:count" or "first:count:step"
    std::optional<std::uint16_t> repeats;
    std::string csvPath;   // where the tables go as CSV; empty for none
    std::string jsonPath;  // where the record goes as JSON; "-" or empty (without CSV) for stdout
    std::string shard;     // "I/K": run only part I of K of the plan's series; empty for all
    bool showProgress = true;  // the command line's default: whether stderr is a terminal
    bool verbose = false;      // message boxes go to stderr as shown; else only after a failure
    unsigned threads = 0;      // threads that process series; 0 for one per core
};

// The progress line: cells done of all, time elapsed and, once a cell is done, an estimate of
// the time left at the pace so far.
// done, total : cells done and all cells, done <= total
// elapsed     : seconds since the simulation started
[[nodiscard]] std::string progressText(std::uint32_t done, std::uint32_t total, double elapsed);

// Sets up a started workbench for the plan of the options as the menus, the etalon grid and the
// subset panel would, and queues the answers of the series and location dialogs that
// " Statistical Simulation" opens. `settle`, when set, runs after each step, as the window
// repaints after each action.
// returns an empty text, or why an option cannot be used
[[nodiscard]] std::string setUpSimulation(RecordingHost& host, ProgramState& state,
                                          const SimulateOptions& o,
                                          const std::function<void()>& settle);

// Registers the `simulate` subcommand and its options on `app`, writing into `options`.
CLI::App* addSimulateCommand(CLI::App& app, SimulateOptions& options);

// Runs " Statistical Simulation" on a fresh workbench set up from the options, as the menu
// commands, the panels and the two parameter dialogs would set it up, and writes the tables.
// With a shard it runs one part of the plan's series and writes the part's sums for `merge`.
// The files asked for are made before the simulation starts (a path that cannot be written is
// refused at once) and appear under their names only when complete. While it runs, Ctrl-C
// (SIGINT) stops the simulation at the next series instead of ending the program.
// out : receives the JSON when it goes to standard output
// err : receives the message boxes, the progress line and the errors
// returns 0 on success, 2 for an unusable option or a simulation that did not run to its end,
// kInterruptedStatus after Ctrl-C; only a success writes a result
inline constexpr int kInterruptedStatus = 130;
int runSimulate(const SimulateOptions& options, std::ostream& out, std::ostream& err);

}  // namespace mirovale
