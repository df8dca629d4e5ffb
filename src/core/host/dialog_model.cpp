#include "core/host/dialog_model.h"

#include <algorithm>
#include <utility>

namespace mirovale {
namespace {
// The dialogs read a field into a 100-byte buffer, terminator included.
constexpr std::size_t kFieldReadLimit = 99;

DialogControl control(int id, ControlKind kind, std::string text, int x, int y, int width,
                      int height) {
    DialogControl c;
    c.id = id;
    c.kind = kind;
    c.text = std::move(text);
    c.x = x;
    c.y = y;
    c.width = width;
    c.height = height;
    return c;
}
}  // namespace

DialogControl groupBox(std::string text, int x, int y, int width, int height) {
    return control(kNoControlId, ControlKind::GroupBox, std::move(text), x, y, width, height);
}

DialogControl label(std::string text, int x, int y, int width, int height, int id) {
    return control(id, ControlKind::Label, std::move(text), x, y, width, height);
}

DialogControl edit(int id, int x, int y, int width, int height) {
    return control(id, ControlKind::Edit, {}, x, y, width, height);
}

DialogControl pushButton(int id, std::string text, int x, int y, int width, int height,
                         bool isDefault) {
    DialogControl c = control(id, ControlKind::PushButton, std::move(text), x, y, width, height);
    c.isDefault = isDefault;
    return c;
}

DialogControl checkBox(int id, std::string text, int x, int y, int width, int height) {
    return control(id, ControlKind::CheckBox, std::move(text), x, y, width, height);
}

DialogControl radioButton(int id, std::string text, int group, int x, int y, int width,
                          int height) {
    DialogControl c = control(id, ControlKind::RadioButton, std::move(text), x, y, width, height);
    c.radioGroup = group;
    return c;
}

DialogModel::DialogModel(DialogTemplate dialogTemplate)
    : template_(std::move(dialogTemplate)),
      texts_(template_.controls.size()),
      checks_(template_.controls.size(), false) {}

void DialogModel::open() {
    for (std::size_t i = 0; i < template_.controls.size(); ++i) {
        texts_[i] = template_.controls[i].text;
        checks_[i] = false;
    }
    onOpen();
}

std::ptrdiff_t DialogModel::indexOf(int id) const {
    if (id == kNoControlId) return -1;
    const auto& controls = template_.controls;
    const auto it = std::find_if(controls.begin(), controls.end(),
                                 [id](const DialogControl& c) { return c.id == id; });
    return it == controls.end() ? -1 : it - controls.begin();
}

std::string DialogModel::text(int id) const {
    const std::ptrdiff_t i = indexOf(id);
    return i < 0 ? std::string() : texts_[static_cast<std::size_t>(i)];
}

bool DialogModel::setText(int id, std::string_view text) {
    const std::ptrdiff_t i = indexOf(id);
    if (i < 0) return false;
    const DialogControl& control = template_.controls[static_cast<std::size_t>(i)];
    if (control.kind != ControlKind::Edit || !control.enabled) return false;
    texts_[static_cast<std::size_t>(i)] = std::string(text);
    return true;
}

bool DialogModel::checked(int id) const {
    const std::ptrdiff_t i = indexOf(id);
    return i >= 0 && checks_[static_cast<std::size_t>(i)];
}

bool DialogModel::click(int id) {
    const std::ptrdiff_t i = indexOf(id);
    if (i < 0) return false;
    const auto index = static_cast<std::size_t>(i);
    const DialogControl& control = template_.controls[index];
    if (!control.enabled) return false;
    if (control.kind == ControlKind::CheckBox) {
        checks_[index] = !checks_[index];
    } else if (control.kind == ControlKind::RadioButton) {
        for (std::size_t k = 0; k < template_.controls.size(); ++k)
            if (template_.controls[k].kind == ControlKind::RadioButton &&
                template_.controls[k].radioGroup == control.radioGroup)
                checks_[k] = false;
        checks_[index] = true;
    } else {
        return false;
    }
    onClick(id);
    return true;
}

void DialogModel::finish(DialogResult result) {
    if (result == DialogResult::Ok)
        onOk();
    else
        onCancel();
}

void DialogModel::show(int id, std::string_view text) {
    const std::ptrdiff_t i = indexOf(id);
    if (i >= 0) texts_[static_cast<std::size_t>(i)] = std::string(text);
}

void DialogModel::showChecked(int id, bool checked) {
    const std::ptrdiff_t i = indexOf(id);
    if (i >= 0) checks_[static_cast<std::size_t>(i)] = checked;
}

std::string DialogModel::fieldText(int id) const {
    std::string value = text(id);
    if (value.size() > kFieldReadLimit) value.resize(kFieldReadLimit);
    return value;
}

}  // namespace mirovale
