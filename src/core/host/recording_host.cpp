#include "core/host/recording_host.h"

#include <algorithm>

#include "core/host/allocation.h"

namespace mirovale {
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
    dialogs.push_back(runAnsweredDialog(dialog, answers_.take(dialog.id())));
    return dialogs.back().result;
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
    answers_.push(std::move(answer));
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
