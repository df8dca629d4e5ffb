#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mirovale {

// How a modal dialog ended. Closing it with the system menu counts as Cancel.
enum class DialogResult : int { Ok, Cancel };

// Button ids every dialog uses for OK and Cancel.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
// Id of a static control (label, group box) that the dialog never addresses.
inline constexpr int kNoControlId = -1;

enum class ControlKind : int { GroupBox, Label, Edit, PushButton, CheckBox, RadioButton };

// One control of a dialog template. Positions and sizes are dialog units.
struct DialogControl {
    int id = kNoControlId;
    ControlKind kind = ControlKind::Label;
    std::string text;  // caption in the template; edits start empty
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int radioGroup = 0;        // radios with the same number exclude each other
    bool isDefault = false;    // the default push button (Enter presses it)
    bool enabled = true;       // a disabled control shows its text but takes no input
    bool startsGroup = false;  // first control of a keyboard group
};

// Template rows, in the order a dialog resource lists them.
// x, y, width, height : position and size in dialog units
DialogControl groupBox(std::string text, int x, int y, int width, int height);
DialogControl label(std::string text, int x, int y, int width, int height, int id = kNoControlId);
DialogControl edit(int id, int x, int y, int width, int height);
// isDefault : the button Enter presses
DialogControl pushButton(int id, std::string text, int x, int y, int width, int height,
                         bool isDefault = false);
DialogControl checkBox(int id, std::string text, int x, int y, int width, int height);
// group : radios of one group exclude each other
DialogControl radioButton(int id, std::string text, int group, int x, int y, int width, int height);

// A dialog as a view builds it: title, size and controls, all in dialog units.
struct DialogTemplate {
    int id = 0;  // resource number of the dialog (105, 106, ...)
    std::string title;
    bool hasPosition = false;  // false: the dialog is centred on its owner
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int fontPointSize = 8;
    std::vector<DialogControl> controls;
};

// The model behind one modal dialog. A view (the Qt dialog or RecordingHost) runs it:
//   open()  fills the controls with the opening values from the program state;
//   setText() / click() are what the user types and clicks;
//   finish() applies the OK or Cancel effects to the program state.
// The control-level calls address controls by id and refuse unknown or disabled ones, so a
// script cannot do what a user could not.
class DialogModel {
public:
    // dialogTemplate : the controls; their ids are unique within the dialog
    explicit DialogModel(DialogTemplate dialogTemplate);
    virtual ~DialogModel() = default;
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    [[nodiscard]] const DialogTemplate& dialogTemplate() const { return template_; }
    [[nodiscard]] int id() const { return template_.id; }

    // Resets every control to its template text, unchecked, then writes the opening values.
    void open();
    // Text a control shows now; empty for an unknown id.
    [[nodiscard]] std::string text(int id) const;
    // Types `text` into an enabled edit; false when there is no such control.
    bool setText(int id, std::string_view text);
    // Whether a check box or radio button is checked.
    [[nodiscard]] bool checked(int id) const;
    // Clicks an enabled check box (toggles it) or radio (checks it, clears the rest of its
    // group), then lets the model react. False when there is no such control.
    bool click(int id);
    // Applies the effects of OK or Cancel.
    void finish(DialogResult result);

protected:
    // For the opening values: set a control's text or check state whatever its kind or state.
    void show(int id, std::string_view text);
    void showChecked(int id, bool checked);
    // A field's text as the dialog reads it back: at most 99 characters.
    [[nodiscard]] std::string fieldText(int id) const;

private:
    virtual void onOpen() = 0;
    virtual void onClick(int /*id*/) {}
    virtual void onOk() = 0;
    virtual void onCancel() = 0;

    [[nodiscard]] std::ptrdiff_t indexOf(int id) const;

    DialogTemplate template_;
    std::vector<std::string> texts_;
    std::vector<bool> checks_;
};

}  // namespace mirovale
