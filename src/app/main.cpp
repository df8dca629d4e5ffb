// mirovale: the workbench's desktop window.
#include <CLI/CLI.hpp>
#include <QApplication>
#include <fstream>
#include <iostream>

#include "app/window_workbench.h"
#include "core/host/memory_policy.h"
#include "qt/widgets/client_area.h"

int main(int argc, char** argv) {
    mirovale::retainFreedMemory();
    QApplication app(argc, argv);
    CLI::App cli{"Mirovale: detection and recognition of pulse trains"};
    std::string scriptFile, size, grab;
    cli.add_option("SCRIPT", scriptFile, "Script of actions to replay after start-up");
    cli.add_option("--size", size, "Fixed client size WxH instead of a maximised window");
    cli.add_option("--grab", grab, "Save the client area to this PNG file and exit");
    CLI11_PARSE(cli, argc, argv);

    std::optional<std::vector<mirovale::ScriptAction>> actions(std::in_place);
    if (!scriptFile.empty()) {
        std::ifstream in(scriptFile);
        if (!in) {
            std::cerr << "mirovale: cannot read " << scriptFile << '\n';
            return 2;
        }
        if (!(actions = mirovale::readScript(in, std::cerr))) return 2;
    }
    const auto client = size.empty() ? std::optional<mirovale::ClientSize>()
                                     : mirovale::parseClientSize(size);
    if (!size.empty() && !client) {
        std::cerr << "mirovale: bad --size '" << size << "' (expected WxH, e.g. 1280x800)\n";
        return 2;
    }

    mirovale::MainWindow window;
    if (client) window.clientArea().setFixedSize(client->width, client->height);
    if (!window.start()) return 0;
    if (client)
        window.show();
    else
        window.showMaximized();
    QApplication::processEvents();
    if (!actions->empty() || !grab.empty()) {
        mirovale::WindowWorkbench workbench(window, !grab.empty());
        if (const int code = mirovale::runScriptActions(*actions, workbench, std::cout, std::cerr))
            return code;
    }
    if (!grab.empty()) {
        if (window.isShutDown()) return 0;
        window.clientArea().repaintPending();
        if (window.clientArea().image().save(QString::fromStdString(grab), "PNG")) return 0;
        std::cerr << "mirovale: cannot write " << grab << '\n';
        return 2;
    }
    if (window.isShutDown()) return 0;
    return QApplication::exec();
}
