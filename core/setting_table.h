#pragma once

// The operator's settings that are numbers or flags, one row each: the form's field that holds
// it (its name is also the replay's `setting NAME N`), its key in the settings file, the values
// it takes and, for those the dialogs change ("Extras → Hupe…", "Extras → Netzwerk…"), the
// words the log and the undo menu give a change of it ("Hupe: Länge 3,0 s"). Its default is the
// value a fresh form holds. The kept settings, the dialogs, the replay and undo read this table.

#include "form/form.h"

#include <QString>

#include <span>

namespace ml {

struct Setting {
    // The form's field (`formFields`): a flag (0 or 1) or a whole number.
    const char* name;
    // Its key in the settings file (kept as it is, so that settings files load unchanged).
    const char* key;
    int min;
    int max;
    // The only values it takes within min and max; empty for any.
    std::span<const int> only = {};
    // A change to `value`, in words; null for a setting that no dialog changes by a command
    // (it is then neither undone nor set by the replay).
    QString (*said)(int value) = nullptr;
};

std::span<const Setting> settingTable();
// The row of the field `name`; null for none.
const Setting* findSetting(const QString& name);
// A setting that the dialogs change by a command (with its words), by the field's name.
const Setting* findDialogSetting(const QString& name);

// Whether the form holds the setting as a flag ("true"/"false" in the settings file).
bool isFlag(const Setting& setting);
bool takes(const Setting& setting, int value);
// The value of a fresh form: the setting's default.
int standardValue(const Setting& setting);

int settingValue(const Setting& setting, const Form& form);
// Sets the field to `value` as it is (the caller keeps it to what the setting takes).
void setSetting(const Setting& setting, Form& form, int value);

} // namespace ml
