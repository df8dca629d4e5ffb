#pragma once

#include <QString>
#include <atomic>
#include <functional>

#include "core/simulation/stat_cutoff_quorvel.h"

class QProgressDialog;
class QWidget;

namespace mirovale {

// Runs a statistical simulation on a worker thread behind a modal progress dialog, so that
// the window keeps repainting: the dialog shows the cells done of all, the time elapsed and
// the time left, and its Cancel stops the simulation at the next series. The caller keeps
// everything else off the workbench's state until run() returns.
class SimulationRunner {
public:
    explicit SimulationRunner(QWidget& parent) : parent_(parent) {}

    // Runs work(control) on a worker thread and waits for it, handling the window's events
    // meanwhile. control carries the progress report and the cancel request.
    // returns what work returned
    bool run(const std::function<bool(const SimulationControl&)>& work);
    // Asks a running simulation to stop at its next series.
    void cancel() { cancelled_ = true; }
    [[nodiscard]] bool running() const { return running_; }

private:
    QWidget& parent_;
    std::atomic<bool> cancelled_ = false;
    bool running_ = false;
};

// The progress dialog's text for `done` of `total` cells after `elapsedMs` milliseconds.
QString simulationProgressText(unsigned done, unsigned total, long long elapsedMs);

}  // namespace mirovale
