#include "core/host/recording_host.h"

#include <algorithm>

#include "core/host/allocation.h"

namespace mirovale {
namespace {

std::vector<ShownControl> shownControls(const DialogModel& dialog) {
    std::vector<ShownControl> shown;
    for (const DialogControl& control : dialog.dialogTemplate().controls)
        if (control.id != kNoControlId && control.kind != ControlKind::PushButton)
            shown.push_back({control.id, dialog.text(control.id), dialog.checked(control.id)});
    return shown;
}

// Plays one answer on an open dialog; returns the controls it could not operate.
std::vector<int> play(DialogModel& dialog, const DialogAnswer& answer) {
    std::vector<int> refused;
    for (const auto& [id, text] : answer.fields)
        if (!dialog.setText(id, text)) refused.push_back(id);
    for (const auto& [id, wanted] : answer.checks) {
        if (dialog.checked(id) == wanted) continue;
        if (!dialog.click(id) || dialog.checked(id) != wanted) refused.push_back(id);
    }
    return refused;
}

}  // namespace

void RecordingHost::messageBox(std::string_view text, std::string_view caption, MessageIcon icon) {
    messages.push_back({std::string(text), std::string(caption), icon});
}

void RecordingHost::checkMenuItem(std::uint16_t commandId, bool checked) {
    menuChecks.push_back({commandId, checked});
}

void RecordingHost::invalidate(const Rect& rect, bool erase) {
    invalidations.push_back({rect, erase});
}

DialogResult RecordingHost::runDialog(DialogModel& dialog) {
    dialog.open();
    RecordedDialog record;
    record.dialogId = dialog.id();
    record.shown = shownControls(dialog);
    const auto it = std::find_if(answers_.begin(), answers_.end(),
                                 [&](const DialogAnswer& a) { return a.dialogId == dialog.id(); });
    if (it != answers_.end()) {
        record.answered = true;
        record.refused = play(dialog, *it);
        record.result = it->result;
        answers_.erase(it);
    }
    dialog.finish(record.result);
    const DialogResult result = record.result;
    dialogs.push_back(std::move(record));
    return result;
}

std::optional<std::string> RecordingHost::askSaveFileName(const SaveFileRequest& request) {
    saveRequests.push_back(request);
    if (fileNames_.empty()) return std::nullopt;
    std::optional<std::string> name = std::move(fileNames_.front());
    fileNames_.pop_front();
    return name;
}

std::unique_ptr<PixelSource> RecordingHost::captureClientArea() {
    ++clientCaptures;
    std::unique_ptr<PixelImage> copy;
    if (!tryAllocate([&] { copy = std::make_unique<PixelImage>(screen); })) return nullptr;
    return copy;
}

void RecordingHost::closeWindow() {
    ++closeRequests;
}

void RecordingHost::showEditField(const Rect& rect) {
    editFieldCalls.push_back({RecordedEditFieldCall::Op::Show, rect, {}});
    editFieldVisible = true;
    editFieldRect = rect;
}

void RecordingHost::hideEditField() {
    editFieldCalls.push_back({RecordedEditFieldCall::Op::Hide, {}, {}});
    editFieldVisible = false;
    editFieldRect = {};
}

void RecordingHost::setEditFieldText(std::string_view text) {
    editFieldCalls.push_back({RecordedEditFieldCall::Op::SetText, {}, std::string(text)});
    editFieldContents = std::string(text);
}

std::string RecordingHost::editFieldText() const {
    return editFieldContents;
}

CursorShape RecordingHost::setCursor(CursorShape shape) {
    cursorChanges.push_back(shape);
    const CursorShape previous = cursor;
    cursor = shape;
    return previous;
}

void RecordingHost::capturePointer() {
    ++captureCalls;
    pointerCaptured = true;
}

void RecordingHost::releasePointer() {
    ++releaseCalls;
    pointerCaptured = false;
}

ClientSize RecordingHost::clientSize() const {
    return size;
}

int RecordingHost::lineHeight() const {
    return kLineHeight;
}

void RecordingHost::queueAnswer(DialogAnswer answer) {
    answers_.push_back(std::move(answer));
}

void RecordingHost::queueFileName(std::optional<std::string> name) {
    fileNames_.push_back(std::move(name));
}

bool RecordingHost::isChecked(std::uint16_t commandId) const {
    const auto it = std::find_if(menuChecks.rbegin(), menuChecks.rend(),
                                 [&](const RecordedCheck& c) { return c.commandId == commandId; });
    return it != menuChecks.rend() && it->checked;
}

}  // namespace mirovale
