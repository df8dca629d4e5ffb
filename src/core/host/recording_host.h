#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/host/dialog_answers.h"
#include "core/host/host.h"
#include "core/host/pixel_image.h"

namespace mirovale {

// One message box as it was shown.
struct RecordedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;

    friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

// One check mark set or cleared.
struct RecordedCheck {
    std::uint16_t commandId = 0;
    bool checked = false;
    friend bool operator==(const RecordedCheck&, const RecordedCheck&) = default;
};

// One invalidated rectangle.
struct RecordedInvalidation {
    Rect rect;
    bool erase = true;
    friend bool operator==(const RecordedInvalidation&, const RecordedInvalidation&) = default;
};

// One call on the parameters panel's edit field.
struct RecordedEditFieldCall {
    enum class Op : int { Show, Hide, SetText };
    Op op = Op::Show;
    Rect rect;         // for Show
    std::string text;  // for SetText
    friend bool operator==(const RecordedEditFieldCall&, const RecordedEditFieldCall&) = default;
};

// A Host without a window: records every call in the order made and answers dialogs and save
// requests from queues filled by the test or script. Its client is `size` (1280 x 800 unless
// the test sets it), what the client shows is `screen` (empty unless the test paints it), and
// its font's line height is kLineHeight.
class RecordingHost : public Host {
public:
    static constexpr int kLineHeight = 15;

    void messageBox(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void checkMenuItem(std::uint16_t commandId, bool checked) override;
    void invalidate(const Rect& rect, bool erase) override;
    DialogResult runDialog(DialogModel& dialog) override;
    [[nodiscard]] std::optional<std::string> askSaveFileName(
        const SaveFileRequest& request) override;
    // A copy of `screen`, made as one allocation request; nullptr when that fails.
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

    // Queues the answer for the next opening of dialog answer.dialogId; answers for one dialog
    // are used in the order queued, whatever other dialogs open in between.
    void queueAnswer(DialogAnswer answer);
    // Queues the reply to the next save request; nothing means Cancel.
    void queueFileName(std::optional<std::string> name);
    // Last check state recorded for a menu item; false when never set.
    [[nodiscard]] bool isChecked(std::uint16_t commandId) const;

    ClientSize size{1280, 800};
    PixelImage screen;

    std::vector<RecordedMessage> messages;
    std::vector<RecordedCheck> menuChecks;
    std::vector<RecordedInvalidation> invalidations;
    std::vector<RecordedDialog> dialogs;
    std::vector<SaveFileRequest> saveRequests;
    int clientCaptures = 0;
    int closeRequests = 0;
    std::vector<RecordedEditFieldCall> editFieldCalls;
    bool editFieldVisible = false;
    Rect editFieldRect;
    std::string editFieldContents;
    CursorShape cursor = CursorShape::Arrow;
    std::vector<CursorShape> cursorChanges;
    bool pointerCaptured = false;
    int captureCalls = 0;
    int releaseCalls = 0;

private:
    DialogAnswerQueue answers_;
    std::deque<std::optional<std::string>> fileNames_;
};

}  // namespace mirovale
