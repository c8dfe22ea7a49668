#pragma once

// The operator's keys: which key runs which control's action. The window looks its key presses
// up here and the replay tool runs the same table, so a key does exactly what a click on its
// control does (with the control's message boxes). Key names are Qt's portable key texts ("F5",
// "Space", "Num+7", "Ctrl+Shift+Z"); the window writes each key press in that form.

#include <QString>
#include <QStringList>

#include <span>

namespace ml {

struct KeyBinding {
    const char* key;
    const char* control;
    // What the key does, for the key list.
    const char* what;
    // A text box that is being edited takes the key as typing (a blank, a digit).
    bool typesInBox = false;
    // Runs while its control is hidden: the +1 and -1 buttons of a side share one place and
    // the counting direction shows only one pair, but both steps stay at hand on the keys.
    bool evenHidden = false;
};

// In the order of the key list; several keys may run one control.
std::span<const KeyBinding> keyBindings();
const KeyBinding* findKey(const QString& key);
// The keys of a control as the operator reads them ("F5", "Leertaste", "Strg+Z").
QStringList keysOf(const QString& control);
QString keyLabel(const QString& key);
// The text of the "Tastenkürzel" box: one line per command, then how typing and Esc behave.
QString keyListText();

} // namespace ml
