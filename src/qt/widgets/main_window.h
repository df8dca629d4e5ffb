#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>

#include "core/state/program_state.h"
#include "qt/button_bitmaps.h"
#include "qt/widgets/simulation_runner.h"

namespace mirovale {

class ClientArea;
class QtHost;

// The workbench's main window, titled "Mirovale": the menu, the client area and the one
// ProgramState they drive. Every menu item, click, pointer move and key ends in the shell's
// handlers; the window only adapts Qt to them. " Statistical Simulation" runs its simulation
// on a worker thread behind a progress dialog. Closing the window (or " Exit") shuts the
// workbench down once; closing while a simulation runs cancels it first.
class MainWindow final : public QMainWindow {
public:
    MainWindow();
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The window's creation: loads the button images from `buttonFolder`, then starts the
    // workbench.
    // returns false after the "Fatal Error" message of a missing image; the workbench is not
    // started and the window is to be discarded without being shown
    bool start(const QString& buttonFolder = kButtonResourceFolder);

    // A menu item or internal command, as the menu runs it. Ignored while a simulation runs.
    void runCommand(std::uint16_t commandId);
    // Pointer and keyboard, in client coordinates. Ignored while a simulation runs.
    void press(int x, int y);
    void release(int x, int y);
    void move(int x, int y);
    void keyDown(int key);

    [[nodiscard]] QtHost& host() { return *host_; }
    [[nodiscard]] ProgramState& state() { return state_; }
    [[nodiscard]] ClientArea& clientArea() { return *area_; }
    [[nodiscard]] bool simulationRunning() const { return simulation_.running(); }
    // True once the workbench has been shut down.
    [[nodiscard]] bool isShutDown() const { return shutDown_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void runStatisticalSimulation();
    [[nodiscard]] bool accepting() const { return started_ && !shutDown_ && !simulation_.running(); }

    ProgramState state_;
    ClientArea* area_ = nullptr;
    std::unique_ptr<QtHost> host_;
    SimulationRunner simulation_;
    bool started_ = false;
    bool shutDown_ = false;
    bool closePending_ = false;
};

}  // namespace mirovale
