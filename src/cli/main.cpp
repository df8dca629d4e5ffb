// mirovale-cli: the workbench without a window.
#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <iostream>

#include "cli/chart_command.h"
#include "cli/demo_command.h"
#include "cli/merge_command.h"
#include "cli/provenance.h"
#include "cli/script.h"
#include "cli/simulate_command.h"
#include "core/host/memory_policy.h"
#include "qt/gui_application.h"

int main(int argc, char** argv) {
    mirovale::retainFreedMemory();
    CLI::App app{"Mirovale without a window"};
    app.require_subcommand(1);
    app.set_version_flag("--version", mirovale::versionText());
    mirovale::SimulateOptions simulate;
    CLI::App* simulateCommand = mirovale::addSimulateCommand(app, simulate);
    mirovale::MergeOptions merge;
    CLI::App* mergeCommand = mirovale::addMergeCommand(app, merge);
    mirovale::ScriptCommandOptions script;
    CLI::App* scriptCommand = mirovale::addScriptCommand(app, script);
    mirovale::ChartOptions chart;
    CLI::App* chartCommand = mirovale::addChartCommand(app, chart);
    CLI::App* demoCommand =
        app.add_subcommand("demo", "Show the alphabet, a first series and one detection");
    demoCommand->footer("Example:\n  mirovale-cli demo");
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);  // --help
    } catch (const CLI::ParseError& e) {
        std::cerr << "mirovale-cli: " << e.what() << '\n';
        return 2;
    }
    if (*simulateCommand) return mirovale::runSimulate(simulate, std::cout, std::cerr);
    if (*mergeCommand) return mirovale::runMerge(merge, std::cout, std::cerr);
    if (*scriptCommand) {
        const auto application = mirovale::makeHeadlessApplication(argv[0]);  // to paint
        return mirovale::runScriptCommand(script, std::cin, std::cout, std::cerr);
    }
    if (*chartCommand) {
        const auto application = mirovale::makeHeadlessApplication(argv[0]);  // to paint
        return mirovale::runChart(chart, std::cerr);
    }
    if (*demoCommand) return mirovale::runDemo(std::cout, std::cerr);
    return 2;
}
