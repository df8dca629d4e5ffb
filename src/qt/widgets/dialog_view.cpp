#include "qt/widgets/dialog_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace mirovale {

QFont dialogFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    return font;
}

DialogUnits dialogUnits(const QFont& font) {
    // The average width of the Latin letters, rounded as dialog base units are.
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}

DialogView::DialogView(DialogModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    const DialogTemplate& t = model.dialogTemplate();
    setWindowTitle(QString::fromStdString(t.title));
    setObjectName(QStringLiteral("dialog%1").arg(t.id));
    setFont(dialogFont());
    const DialogUnits units = dialogUnits(font());
    for (const DialogControl& control : t.controls) addControl(control, units);
    showChecks();
    // The template's size, grown where a widened control reaches further.
    int width = units.x(t.width);
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        width = std::max(width, child->geometry().right() + 1 + units.x(4));
    setFixedSize(width, units.y(t.height));
}

void DialogView::addControl(const DialogControl& control, const DialogUnits& units) {
    const QString text = QString::fromStdString(
        control.id == kNoControlId ? control.text : model_.text(control.id));
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::GroupBox:
            widget = new QGroupBox(text, this);
            break;
        case ControlKind::Label:
            widget = new QLabel(text, this);
            break;
        case ControlKind::Edit: {
            auto* line = new QLineEdit(text, this);
            edits_[control.id] = line;
            widget = line;
            break;
        }
        case ControlKind::PushButton: {
            auto* button = new QPushButton(text, this);
            button->setDefault(control.isDefault);
            button->setAutoDefault(false);
            if (control.id == kIdOk) connect(button, &QPushButton::clicked, this, &QDialog::accept);
            if (control.id == kIdCancel)
                connect(button, &QPushButton::clicked, this, &QDialog::reject);
            widget = button;
            break;
        }
        case ControlKind::CheckBox:
        case ControlKind::RadioButton: {
            QAbstractButton* button = nullptr;
            if (control.kind == ControlKind::CheckBox) {
                button = new QCheckBox(text, this);
            } else {
                button = new QRadioButton(text, this);
                QButtonGroup*& group = groups_[control.radioGroup];
                if (!group) group = new QButtonGroup(this);
                group->addButton(button);
            }
            const int id = control.id;
            connect(button, &QAbstractButton::clicked, this, [this, id] {
                model_.click(id);
                showChecks();
            });
            boxes_[id] = button;
            widget = button;
            break;
        }
    }
    if (control.id != kNoControlId)
        widget->setObjectName(QStringLiteral("control%1").arg(control.id));
    widget->setEnabled(control.enabled);
    int width = units.x(control.width);
    if (control.kind != ControlKind::Edit)
        width = std::max(width, widget->minimumSizeHint().width());
    widget->setGeometry(units.x(control.x), units.y(control.y), width, units.y(control.height));
}

void DialogView::showChecks() {
    // A radio group with none checked needs exclusivity off to show that.
    for (auto& [group, buttons] : groups_) buttons->setExclusive(false);
    for (auto& [id, button] : boxes_) button->setChecked(model_.checked(id));
    for (auto& [group, buttons] : groups_) buttons->setExclusive(true);
}

void DialogView::accept() {
    for (const auto& [id, line] : edits_) model_.setText(id, line->text().toStdString());
    QDialog::accept();
}

}  // namespace mirovale
