#include "qt/widgets/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>

#include "core/shell/click_handler.h"
#include "core/shell/command_handler.h"
#include "core/shell/commands.h"
#include "core/shell/dialog_commands.h"
#include "core/shell/key_handler.h"
#include "core/shell/simulation_command.h"
#include "core/shell/startup.h"
#include "qt/widgets/app_icon.h"
#include "qt/widgets/client_area.h"
#include "qt/widgets/main_menu.h"
#include "qt/widgets/qt_host.h"

namespace mirovale {

MainWindow::MainWindow() : simulation_(*this) {
    setWindowTitle(QStringLiteral("Mirovale"));
    setWindowIcon(applicationIcon());
    area_ = new ClientArea(this);
    setCentralWidget(area_);
    host_ = std::make_unique<QtHost>(*this, *area_, [this] { close(); });
    buildMainMenu(*menuBar(), *host_, [this](std::uint16_t id) { runCommand(id); });
    area_->setPainter([this](WindowSurface& surface) { surface.repaint(*host_, state_); });
    area_->setInput({[this](int x, int y) { press(x, y); },
                     [this](int x, int y) { release(x, y); },
                     [this](int x, int y) { move(x, y); }, [this](int key) { keyDown(key); }});
}

MainWindow::~MainWindow() {
    if (started_ && !shutDown_) shutDown(state_);
}

bool MainWindow::start(const QString& buttonFolder) {
    std::optional<ButtonImages> buttons = loadButtonBitmaps(*host_, buttonFolder);
    if (!buttons) return false;
    area_->setButtons(std::move(*buttons));
    startWorkbench(*host_, state_);
    started_ = true;
    area_->setFocus();
    return true;
}

void MainWindow::runCommand(std::uint16_t commandId) {
    if (!accepting()) return;
    if (commandId == IDM_STATISTICAL_SIMULATION)
        runStatisticalSimulation();
    else
        handleCommand(*host_, state_, commandId);
}

void MainWindow::press(int x, int y) {
    if (accepting()) handleClick(*host_, state_, x, y);
}

void MainWindow::release(int x, int y) {
    if (accepting()) handlePointerRelease(*host_, state_, x, y);
}

void MainWindow::move(int x, int y) {
    if (accepting()) handlePointerMove(*host_, state_, x, y);
}

void MainWindow::keyDown(int key) {
    if (accepting()) handleKeyDown(*host_, state_, static_cast<std::uint32_t>(key));
}

void MainWindow::runStatisticalSimulation() {
    if (!prepareStatisticalSimulation(*host_, state_)) return;
    // The worker owns the state until it is done: the client area only shows its image.
    area_->setFrozen(true);
    simulation_.run([this](const SimulationControl& control) {
        return runSimulationFromState(*host_, state_, control);
    });
    area_->setFrozen(false);
    if (closePending_) {
        close();
        return;
    }
    showStatisticalSimulation(*host_, state_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (simulation_.running()) {
        simulation_.cancel();
        closePending_ = true;
        event->ignore();
        return;
    }
    if (started_ && !shutDown_) {
        area_->setFrozen(true);
        shutDown(state_);
        shutDown_ = true;
    }
    event->accept();
}

}  // namespace mirovale
