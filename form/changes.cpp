#include "form/changes.h"

#include "form/form.h"

#include <algorithm>

namespace ml {

namespace {

// Texts that share their data are equal without a look at the characters: the log box's
// hundred thousand characters compare at no cost while nobody wrote them.
bool same(const QString& a, const QString& b) {
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

bool same(const FieldValue& a, const FieldValue& b) {
    if (const auto* ta = std::get_if<QString>(&a))
        if (const auto* tb = std::get_if<QString>(&b))
            return same(*ta, *tb);
    return a == b;
}

std::vector<Control*> trackedControls(const Form& form) {
    std::vector<Control*> all = form.controls();
    for (Control* c : const_cast<Form&>(form).frmMessage.controls())
        all.push_back(c);
    return all;
}

} // namespace

bool Changes::has(const Control& control) const {
    return std::find(controls.begin(), controls.end(), &control) != controls.end();
}

bool Changes::has(const char* fieldName) const {
    return std::any_of(fields.begin(), fields.end(),
                       [fieldName](const Field* f) { return qstrcmp(f->name, fieldName) == 0; });
}

bool FormSnapshot::ControlState::operator==(const ControlState& other) const {
    return same(text, other.text) && visible == other.visible && enabled == other.enabled &&
           value == other.value && color == other.color && items == other.items &&
           notes == other.notes && index == other.index;
}

FormSnapshot::ControlState FormSnapshot::stateOf(const Control& c) {
    ControlState s;
    s.visible = c.visible;
    s.enabled = c.enabled;
    if (const auto* t = dynamic_cast<const TextControl*>(&c))
        s.text = t->text;
    if (const auto* box = dynamic_cast<const CheckBox*>(&c))
        s.value = box->value();
    if (const auto* item = dynamic_cast<const MenuItem*>(&c))
        s.value = item->checked;
    if (const auto* box = dynamic_cast<const TextBox*>(&c))
        s.color = box->foreColor;
    if (const auto* combo = dynamic_cast<const ComboBox*>(&c)) {
        s.items = combo->items;
        s.notes = combo->notes;
        s.index = combo->index;
    }
    return s;
}

Changes FormSnapshot::take(const Form& form) {
    Changes changes;
    const std::vector<Control*> controls = trackedControls(form);
    const std::vector<Field>& fields = formFields();
    controls_.resize(controls.size());
    fields_.resize(fields.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        ControlState now = stateOf(*controls[i]);
        if (!taken_ || !(now == controls_[i])) {
            changes.controls.push_back(controls[i]);
            controls_[i] = std::move(now);
        }
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        FieldValue now = valueOf(fields[i], form);
        if (!taken_ || !same(now, fields_[i])) {
            changes.fields.push_back(&fields[i]);
            fields_[i] = std::move(now);
        }
    }
    taken_ = true;
    return changes;
}

} // namespace ml
