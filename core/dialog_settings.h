#pragma once

// The settings that the window's dialogs change ("Extras → Hupe…", "Extras → Netzwerk…"): each
// a field of the form, named as the replay's `setting NAME N` names it, with the values it
// takes and the words the log and the undo menu give a change of it ("Hupe: Länge 3,0 s").

#include "form/form.h"

#include <QString>

#include <span>

namespace ml {

struct DialogSetting {
    // The form's field (`formFields`): a flag (0 or 1) or a whole number.
    const char* name;
    int min;
    int max;
    // A change to `value`, in words.
    QString (*said)(int value);
};

std::span<const DialogSetting> dialogSettings();
const DialogSetting* findDialogSetting(const QString& name);

int settingValue(const DialogSetting& setting, const Form& form);
// Sets the field to `value` as it is (the caller keeps it within `min` and `max`).
void setSetting(const DialogSetting& setting, Form& form, int value);

} // namespace ml
