#pragma once

#include <QTest>
#include <cstdint>
#include <vector>

#include "cli/script_json.h"
#include "core/host/recording_host.h"
#include "dialog_answers.h"
#include "core/shell/command_handler.h"
#include "core/shell/startup.h"
#include "qt/button_bitmaps.h"
#include "qt/widgets/client_area.h"
#include "qt/window_surface.h"
#include "qt/widgets/main_window.h"
#include "qt/widgets/qt_host.h"
#include "qt/widgets/ui_driver.h"

namespace mirovale::test {

inline constexpr ClientSize kClient{1280, 800};

// The window at a fixed client size, started and shown, beside a headless workbench of the
// same size that repaints after each command as mirovale-cli does (a repaint prepares the
// panels' arrays, so the states agree only when both have painted); each test does the same
// things to both and compares.
struct Workbenches {
    Workbenches() : surface(QSize(kClient.width, kClient.height), *loadButtonBitmaps(host)) {
        window.clientArea().setFixedSize(kClient.width, kClient.height);
        window.start();
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        host.size = kClient;
        startWorkbench(host, state);
        surface.invalidate({0, 0, kClient.width, kClient.height}, true);
        repaintHeadless();
    }
    ~Workbenches() { shutDown(state); }

    // Answers for both: the window's user types and clicks them, the headless host plays them.
    void answer(const DialogAnswer& a) {
        ui.queue(a);
        host.queueAnswer(a);
    }
    // The command from the window's menu and from the headless handler.
    void command(std::uint16_t id) {
        window.findChild<QAction*>(QStringLiteral("command%1").arg(id))->trigger();
        handleCommand(host, state, id);
        repaintHeadless();
    }
    void repaintHeadless() {
        for (; invalidationsSeen < host.invalidations.size(); ++invalidationsSeen)
            surface.invalidate(host.invalidations[invalidationsSeen].rect,
                               host.invalidations[invalidationsSeen].erase);
        surface.repaint(host, state);
    }
    void expectSameState(int line) {
        QCoreApplication::processEvents();
        window.clientArea().repaintPending();
        EXPECT_EQ(stateJson(window.state()), stateJson(state)) << "row of line " << line;
        EXPECT_EQ(seriesJson(window.state().lpSeriesHeader.get()),
                  seriesJson(state.lpSeriesHeader.get()))
            << "row of line " << line;
    }

    MainWindow window;
    RecordingHost host;
    ProgramState state;
    WindowSurface surface;
    std::size_t invalidationsSeen = 0;
    UiDriver ui;
};

using testing::cancel;
using testing::ok;

}  // namespace mirovale::test
