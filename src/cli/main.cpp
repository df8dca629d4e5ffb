// mirovale-cli: the workbench without a window.
#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <iostream>

#include "cli/chart_command.h"
#include "cli/demo_command.h"
#include "cli/merge_command.h"
#include "cli/provenance.h"
#include "cli/script.h"
#include "cli/shown_text.h"
#include "cli/simulate_command.h"
#include "core/host/memory_policy.h"
#include "qt/gui_application.h"

namespace {

// The status of a command, made 2 when what it wrote to standard output did not all get there
// (a full disk, a closed pipe): a result cut short must not look like a success.
int checkedOutput(int status) {
    std::cout.flush();
    if (status != 0 || std::cout) return status;
    std::cerr << "mirovale-cli: cannot write the standard output\n";
    return 2;
}

}  // namespace

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
        std::cerr << "mirovale-cli: " << mirovale::shownText(e.what(), 200) << '\n';
        return 2;
    }
    if (*simulateCommand)
        return checkedOutput(mirovale::runSimulate(simulate, std::cout, std::cerr));
    if (*mergeCommand) return checkedOutput(mirovale::runMerge(merge, std::cout, std::cerr));
    if (*scriptCommand) {
        const auto application = mirovale::makeHeadlessApplication(argv[0]);  // to paint
        return checkedOutput(mirovale::runScriptCommand(script, std::cin, std::cout, std::cerr));
    }
    if (*chartCommand) {
        const auto application = mirovale::makeHeadlessApplication(argv[0]);  // to paint
        return mirovale::runChart(chart, std::cerr);
    }
    if (*demoCommand) return checkedOutput(mirovale::runDemo(std::cout, std::cerr));
    return 2;
}
