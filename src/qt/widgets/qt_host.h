#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/host/dialog_answers.h"
#include "core/host/host.h"
#include "core/host/recording_host.h"

class QAction;
class QWidget;

namespace mirovale {

class ClientArea;

// What a script run keeps of the window's host: the answers queued for dialogs, and every
// message shown and dialog run while it is attached.
struct HostJournal {
    DialogAnswerQueue answers;
    std::vector<RecordedMessage> messages;
    std::vector<RecordedDialog> dialogs;
    // Unattended: messages are recorded without being shown, and a dialog with no answer
    // queued is cancelled as the headless host cancels it.
    bool unattended = false;
};

// Host over Qt widgets: message boxes, the menu's check marks, the client area's repaints,
// pointer and edit field, modal dialogs built from their templates, the save dialog.
// Lives on the window's thread. messageBox and invalidate may also be called from another
// thread (the simulation's): they run on the window's thread, in order, and return when done.
class QtHost final : public QObject, public Host {
public:
    // window : owner of message boxes and dialogs
    // area   : the client area
    // close  : asks the window to close; called once the current command has ended
    QtHost(QWidget& window, ClientArea& area, std::function<void()> close);

    // The menu item of a command, whose check mark checkMenuItem keeps. Only items made
    // checkable show a mark.
    void addMenuAction(std::uint16_t commandId, QAction& action);
    // Puts the check mark of an item back to the state checkMenuItem last gave it, undoing
    // Qt's own toggle of a triggered checkable item.
    void restoreCheck(std::uint16_t commandId);
    // Whether the item's mark is set (as checkMenuItem last set it).
    [[nodiscard]] bool isChecked(std::uint16_t commandId) const;

    // Attaches a script run's journal, or detaches it (nullptr).
    void setJournal(HostJournal* journal) { journal_ = journal; }
    // Number of closeWindow() calls so far.
    [[nodiscard]] int closeRequests() const { return closeRequests_; }

    void messageBox(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void checkMenuItem(std::uint16_t commandId, bool checked) override;
    void invalidate(const Rect& rect, bool erase) override;
    DialogResult runDialog(DialogModel& dialog) override;
    [[nodiscard]] std::optional<std::string> askSaveFileName(
        const SaveFileRequest& request) override;
    [[nodiscard]] std::unique_ptr<PixelSource> captureClientArea() override;
    void closeWindow() override;
    void showEditField(const Rect& rect) override;
    void hideEditField() override;
    void setEditFieldText(std::string_view text) override;
    [[nodiscard]] std::string editFieldText() const override;
    CursorShape setCursor(CursorShape shape) override;
    void capturePointer() override;
    void releasePointer() override;
    [[nodiscard]] ClientSize clientSize() const override;
    [[nodiscard]] int lineHeight() const override;

private:
    // Runs `call` on the window's thread and waits for it.
    void onWindowThread(const std::function<void()>& call);

    QWidget& window_;
    ClientArea& area_;
    std::function<void()> close_;
    std::map<std::uint16_t, QAction*> actions_;
    std::map<std::uint16_t, bool> checks_;
    HostJournal* journal_ = nullptr;
    int closeRequests_ = 0;
};

}  // namespace mirovale
