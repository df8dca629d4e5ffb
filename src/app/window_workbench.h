#pragma once

#include "cli/script.h"
#include "qt/widgets/main_window.h"
#include "qt/widgets/qt_host.h"

namespace mirovale {

// The window as a script's workbench: commands and pointer actions go through the window as the
// menu and the mouse send them, dialog answers and the record of messages and dialogs through its
// host's journal, and every action ends with the client area repainted.
class WindowWorkbench final : public ScriptWorkbench {
public:
    // unattended : messages are recorded without being shown and a dialog with no answer is
    //              cancelled, as in the command-line tool
    WindowWorkbench(MainWindow& window, bool unattended);
    ~WindowWorkbench() override;
    WindowWorkbench(const WindowWorkbench&) = delete;
    WindowWorkbench& operator=(const WindowWorkbench&) = delete;

    Host& host() override;
    ProgramState& state() override;
    void command(std::uint16_t id) override;
    void press(int x, int y) override;
    void move(int x, int y) override;
    void release(int x, int y) override;
    void queueAnswer(DialogAnswer answer) override;
    const std::vector<RecordedMessage>& messages() const override;
    const std::vector<RecordedDialog>& dialogs() const override;
    void settle() override;
    bool closeRequested() const override;
    bool closed() const override;
    const QImage& picture() const override;

private:
    MainWindow& window_;
    HostJournal journal_;
};

}  // namespace mirovale
