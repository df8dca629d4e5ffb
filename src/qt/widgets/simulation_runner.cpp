#include "qt/widgets/simulation_runner.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QString>
#include <thread>

namespace mirovale {
namespace {

QString clock(long long ms) {
    const long long seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString simulationProgressText(unsigned done, unsigned total, long long elapsedMs) {
    QString text = QStringLiteral("%1 of %2 cells done\nelapsed %3").arg(done).arg(total).arg(
        clock(elapsedMs));
    if (done > 0 && done <= total)
        text += QStringLiteral(", left %1")
                    .arg(clock(elapsedMs * static_cast<long long>(total - done) / done));
    return text;
}

bool SimulationRunner::run(const std::function<bool(const SimulationControl&)>& work) {
    QProgressDialog dialog(&parent_);
    dialog.setWindowTitle(QStringLiteral("Statistical Simulation"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setLabelText(simulationProgressText(0, 0, 0));
    // Cancel asks the worker to stop; the dialog stays until it has.
    QObject::disconnect(&dialog, &QProgressDialog::canceled, &dialog, &QProgressDialog::cancel);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [this, &dialog] {
        cancel();
        dialog.setLabelText(QStringLiteral("Cancelling..."));
    });
    QElapsedTimer clockStarted;
    clockStarted.start();

    SimulationControl control;
    control.progress = [&](std::uint32_t done, std::uint32_t total) {
        QMetaObject::invokeMethod(&dialog, [this, &dialog, &clockStarted, done, total] {
            if (cancelled_) return;
            dialog.setMaximum(static_cast<int>(total));
            dialog.setValue(static_cast<int>(done));
            dialog.setLabelText(simulationProgressText(done, total, clockStarted.elapsed()));
        });
    };
    control.cancelled = [this] { return cancelled_.load(); };

    cancelled_ = false;
    running_ = true;
    dialog.show();
    QEventLoop loop;
    bool result = false;
    std::thread worker([&] {
        result = work(control);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    running_ = false;
    return result;
}

}  // namespace mirovale
