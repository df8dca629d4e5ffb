#include "app/window_workbench.h"

#include "qt/widgets/client_area.h"

namespace mirovale {

WindowWorkbench::WindowWorkbench(MainWindow& window, bool unattended) : window_(window) {
    journal_.unattended = unattended;
    window_.host().setJournal(&journal_);
}

WindowWorkbench::~WindowWorkbench() {
    window_.host().setJournal(nullptr);
}

Host& WindowWorkbench::host() {
    return window_.host();
}

ProgramState& WindowWorkbench::state() {
    return window_.state();
}

void WindowWorkbench::command(std::uint16_t id) {
    window_.runCommand(id);
}

void WindowWorkbench::press(int x, int y) {
    window_.press(x, y);
}

void WindowWorkbench::move(int x, int y) {
    window_.move(x, y);
}

void WindowWorkbench::release(int x, int y) {
    window_.release(x, y);
}

void WindowWorkbench::queueAnswer(DialogAnswer answer) {
    journal_.answers.push(std::move(answer));
}

const std::vector<RecordedMessage>& WindowWorkbench::messages() const {
    return journal_.messages;
}

const std::vector<RecordedDialog>& WindowWorkbench::dialogs() const {
    return journal_.dialogs;
}

void WindowWorkbench::settle() {
    // " Exit" has asked for a close that would only come with the next turn of the event loop.
    if (closeRequested() && !window_.isShutDown()) window_.close();
    if (!window_.isShutDown()) window_.clientArea().repaintPending();
}

bool WindowWorkbench::closeRequested() const {
    return window_.host().closeRequests() > 0;
}

const QImage& WindowWorkbench::picture() const {
    return window_.clientArea().image();
}

bool WindowWorkbench::closed() const {
    return window_.isShutDown();
}

}  // namespace mirovale
