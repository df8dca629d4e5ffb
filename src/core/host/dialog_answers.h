#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/host/dialog_model.h"

namespace mirovale {

// The scripted user of one dialog: what to type, which boxes and radios to bring to which
// state, then OK or Cancel.
struct DialogAnswer {
    int dialogId = 0;
    DialogResult result = DialogResult::Ok;
    std::vector<std::pair<int, std::string>> fields;  // edit id, text typed over the old one
    std::vector<std::pair<int, bool>> checks;         // check box or radio id, state wanted
};

// A control with an id as the dialog showed it on opening.
struct ShownControl {
    int id = 0;
    std::string text;
    bool checked = false;
    friend bool operator==(const ShownControl&, const ShownControl&) = default;
};

// One dialog run.
struct RecordedDialog {
    int dialogId = 0;
    DialogResult result = DialogResult::Cancel;
    bool answered = false;            // false: nothing was queued for it, so it was cancelled
    std::vector<ShownControl> shown;  // the opening values
    std::vector<int> refused;         // controls of the answer the dialog could not take
};

// Answers waiting for their dialogs. Answers for one dialog are taken in the order queued,
// whatever other dialogs open in between.
class DialogAnswerQueue {
public:
    void push(DialogAnswer answer) { answers_.push_back(std::move(answer)); }
    // Whether an answer waits for dialog `dialogId`.
    [[nodiscard]] bool has(int dialogId) const;
    // Removes and returns the first answer for dialog `dialogId`.
    std::optional<DialogAnswer> take(int dialogId);

private:
    std::deque<DialogAnswer> answers_;
};

// Runs a dialog without a window as a scripted user would: opens the model, plays the answer
// (none: the dialog is cancelled untouched) and finishes the model with its result.
RecordedDialog runAnsweredDialog(DialogModel& dialog, const std::optional<DialogAnswer>& answer);

}  // namespace mirovale
