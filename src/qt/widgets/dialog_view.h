#pragma once

#include <QDialog>
#include <map>

#include "core/host/dialog_model.h"

class QAbstractButton;
class QButtonGroup;
class QLineEdit;

namespace mirovale {

// Dialog units of the dialog font (DejaVu Sans 8 pt): a horizontal unit is a quarter of the
// average character width, a vertical unit an eighth of the character height.
struct DialogUnits {
    int averageCharWidth = 0;
    int charHeight = 0;
    [[nodiscard]] int x(int units) const { return units * averageCharWidth / 4; }
    [[nodiscard]] int y(int units) const { return units * charHeight / 8; }
};

// The font the dialogs are laid out and written in, and its units.
QFont dialogFont();
DialogUnits dialogUnits(const QFont& font);

// A modal dialog built from an open model's template: group boxes, labels, edits, check boxes,
// radio buttons (one exclusive group per radio group of the template), OK and Cancel, at their
// template positions. A caption wider than its control widens the control (and the dialog)
// so that nothing is clipped. It shows the model's opening texts and checks; a click on a box
// or radio goes to the model at once; OK writes the edits' texts into the model and accepts,
// Cancel, Escape and closing reject. Enter presses the default button. The caller finishes the
// model with the result. Controls with an id are named "control<id>".
class DialogView final : public QDialog {
public:
    DialogView(DialogModel& model, QWidget* parent);

    void accept() override;

private:
    void addControl(const DialogControl& control, const DialogUnits& units);
    // Check states from the model, after it has reacted to a click.
    void showChecks();

    DialogModel& model_;
    std::map<int, QLineEdit*> edits_;
    std::map<int, QAbstractButton*> boxes_;
    std::map<int, QButtonGroup*> groups_;
};

}  // namespace mirovale
