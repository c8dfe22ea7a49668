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

template <class T> bool same(const T& a, const T& b) {
    return a == b;
}

// The field as it stands in the form against its value in the snapshot, read in place.
bool same(const Field& field, const Form& form, const FieldValue& before) {
    // The accessors give writable references; reading through them changes nothing.
    Form& f = const_cast<Form&>(form);
    return std::visit(
        [&](auto at) {
            const auto& now = at(f);
            const auto* old = std::get_if<std::decay_t<decltype(now)>>(&before);
            return old != nullptr && same(now, *old);
        },
        field.at);
}

} // namespace

bool Changes::has(const Control& control) const {
    return std::find(controls.begin(), controls.end(), &control) != controls.end();
}

bool Changes::has(const char* fieldName) const {
    return std::any_of(fields.begin(), fields.end(),
                       [fieldName](const Field* f) { return qstrcmp(f->name, fieldName) == 0; });
}

// Every step looks at every control, in place: by its kind, not by a cast, and without a copy.
bool FormSnapshot::unchanged(const Control& c, const ControlState& s) {
    if (c.visible != s.visible || c.enabled != s.enabled)
        return false;
    switch (c.kind) {
    case Kind::TextBox:
        return static_cast<const TextBox&>(c).foreColor == s.color &&
               same(static_cast<const TextBox&>(c).text, s.text);
    case Kind::Label:
    case Kind::Button:
        return same(static_cast<const TextControl&>(c).text, s.text);
    case Kind::CheckBox:
        return static_cast<const CheckBox&>(c).value() == s.value &&
               same(static_cast<const CheckBox&>(c).text, s.text);
    case Kind::MenuItem:
        return static_cast<const MenuItem&>(c).checked == bool(s.value) &&
               same(static_cast<const MenuItem&>(c).text, s.text);
    case Kind::ComboBox:
    case Kind::ListBox: {
        const auto& combo = static_cast<const ComboBox&>(c);
        return combo.index == s.index && combo.items == s.items && combo.notes == s.notes;
    }
    case Kind::Image:
        break;
    }
    return true;
}

FormSnapshot::ControlState FormSnapshot::stateOf(const Control& c) {
    ControlState s;
    s.visible = c.visible;
    s.enabled = c.enabled;
    switch (c.kind) {
    case Kind::TextBox:
        s.color = static_cast<const TextBox&>(c).foreColor;
        [[fallthrough]];
    case Kind::Label:
    case Kind::Button:
        s.text = static_cast<const TextControl&>(c).text;
        break;
    case Kind::CheckBox:
        s.text = static_cast<const CheckBox&>(c).text;
        s.value = static_cast<const CheckBox&>(c).value();
        break;
    case Kind::MenuItem:
        s.text = static_cast<const MenuItem&>(c).text;
        s.value = static_cast<const MenuItem&>(c).checked;
        break;
    case Kind::ComboBox:
    case Kind::ListBox: {
        const auto& combo = static_cast<const ComboBox&>(c);
        s.items = combo.items;
        s.notes = combo.notes;
        s.index = combo.index;
        break;
    }
    case Kind::Image:
        break;
    }
    return s;
}

Changes FormSnapshot::take(const Form& form) {
    if (tracked_.empty()) {
        tracked_ = form.controls();
        for (Control* c : const_cast<Form&>(form).frmMessage.controls())
            tracked_.push_back(c);
    }
    Changes changes;
    const std::vector<Field>& fields = formFields();
    controls_.resize(tracked_.size());
    fields_.resize(fields.size());
    for (std::size_t i = 0; i < tracked_.size(); ++i) {
        if (!taken_ || !unchanged(*tracked_[i], controls_[i])) {
            changes.controls.push_back(tracked_[i]);
            controls_[i] = stateOf(*tracked_[i]);
        }
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!taken_ || !same(fields[i], form, fields_[i])) {
            changes.fields.push_back(&fields[i]);
            fields_[i] = valueOf(fields[i], form);
        }
    }
    taken_ = true;
    return changes;
}

} // namespace ml
