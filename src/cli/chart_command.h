#pragma once

#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace mirovale {

// What `mirovale-cli chart` was asked for.
struct ChartOptions {
    std::string results;            // the results file of simulate or merge
    std::string mode;               // a chart mode by name or number
    std::string size = "1280x800";  // client size WxH, as `script` makes it by default
    std::string upperBound;         // the fixed upper bound of the axis; empty for none
    std::string out;                // the picture: .png, .bmp, .pcx or .svg
};

// Registers the `chart` subcommand and its options on `app`, writing into `options`.
CLI::App* addChartCommand(CLI::App& app, ChartOptions& options);

// Draws the error chart of a results file as the window shows it after the same simulation and
// " Show Statistical Simulation" with the chart settings of the mode: a fresh workbench is set up
// from the file's plan as `simulate` sets it up, the simulation's last series is made again (the
// series before it are made, not processed), the file's tables take the place of the run's,
// and the chart dialog is answered for the mode. The picture is the window's client area: PNG,
// BMP or PCX with the window's pixels, or SVG painted by the same views.
// err : receives the one message of a refusal
// returns 0, or 2 with nothing written for an unusable option, a file that is not the complete
// results of a simulation, a mode its task has no chart for, a plan that does not set up the
// same simulation again, or a picture that cannot be written
int runChart(const ChartOptions& options, std::ostream& err);

}  // namespace mirovale
