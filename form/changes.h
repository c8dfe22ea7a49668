#pragma once

// The change stream: what a step changed in the form. The form keeps what it held when the last
// step ended; after each step the program takes the changes once and hands them to every reader
// (the window, the kept state, the live feed), each of which updates only what changed.

#include "form/controls.h"
#include "form/fields.h"

#include <vector>

namespace ml {

struct Form;

struct Changes {
    // Controls of the main window and of the message window whose text, visibility, enabled
    // state, value, check mark, colour or entries changed.
    std::vector<const Control*> controls;
    // Fields of the field table whose value changed.
    std::vector<const Field*> fields;

    bool empty() const { return controls.empty() && fields.empty(); }
    bool has(const Control& control) const;
    bool has(const char* fieldName) const;
};

// The form as it stood when the last step ended.
class FormSnapshot {
  public:
    // What changed since the last call (at the first call: everything); the snapshot then holds
    // the form as it is now.
    Changes take(const Form& form);

  private:
    struct ControlState {
        QString text;
        bool visible = false;
        bool enabled = false;
        int value = 0;
        unsigned color = 0;
        QStringList items;
        QStringList notes;
        int index = -1;
    };
    static ControlState stateOf(const Control& control);
    // Whether the control stands as `state` says.
    static bool unchanged(const Control& control, const ControlState& state);

    bool taken_ = false;
    // The controls of both windows, in a fixed order.
    std::vector<Control*> tracked_;
    std::vector<ControlState> controls_;
    std::vector<FieldValue> fields_;
};

} // namespace ml
