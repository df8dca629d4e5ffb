#include "core/host/dialog_answers.h"

#include <algorithm>

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

bool DialogAnswerQueue::has(int dialogId) const {
    return std::any_of(answers_.begin(), answers_.end(),
                       [&](const DialogAnswer& a) { return a.dialogId == dialogId; });
}

std::optional<DialogAnswer> DialogAnswerQueue::take(int dialogId) {
    const auto it = std::find_if(answers_.begin(), answers_.end(),
                                 [&](const DialogAnswer& a) { return a.dialogId == dialogId; });
    if (it == answers_.end()) return std::nullopt;
    DialogAnswer answer = std::move(*it);
    answers_.erase(it);
    return answer;
}

RecordedDialog runAnsweredDialog(DialogModel& dialog, const std::optional<DialogAnswer>& answer) {
    dialog.open();
    RecordedDialog record;
    record.dialogId = dialog.id();
    record.shown = shownControls(dialog);
    if (answer) {
        record.answered = true;
        record.refused = play(dialog, *answer);
        record.result = answer->result;
    }
    dialog.finish(record.result);
    return record;
}

}  // namespace mirovale
