#include "core/keys.h"

namespace ml {

namespace {

// Blind use at the desk: the home side on the left block of function keys (F2 +1, F3 -1, F4
// penalty), the guest side mirrored on the right block (F11 +1, F10 -1, F9 penalty), the match
// commands in the middle block; the keyboard's corners F1 (help, as everywhere) and F12 are
// found without looking. The numeric keypad repeats the frequent commands for one hand: the
// wide 0 for the clock, the left column for the home side, the right one for the guest side,
// and the middle key 5 (the one with the bump) the hand horn, sounding while it is held.
// Ctrl+O opens the port, as "open" does in every program; Ctrl+F takes remote control away (F
// for "Fernbedienung": Marklight has nothing to find).
// clang-format off
constexpr KeyBinding kKeys[] = {
    {"F5",           "St_St",      "Spielzeit starten / stoppen"},
    {"Space",        "St_St",      "Spielzeit starten / stoppen", true},
    {"Num+0",        "St_St",      "Spielzeit starten / stoppen", true},
    {"F2",           "up_l",       "Spielstand Heim +1", false, true},
    {"Num+7",        "up_l",       "Spielstand Heim +1", true, true},
    {"F3",           "down_l",     "Spielstand Heim -1", false, true},
    {"Num+1",        "down_l",     "Spielstand Heim -1", true, true},
    {"F4",           "StrafeL",    "Strafe Heim starten / stoppen"},
    {"Num+4",        "StrafeL",    "Strafe Heim starten / stoppen", true},
    {"F11",          "up_r",       "Spielstand Gegner +1", false, true},
    {"Num+9",        "up_r",       "Spielstand Gegner +1", true, true},
    {"F10",          "down_r",     "Spielstand Gegner -1", false, true},
    {"Num+3",        "down_r",     "Spielstand Gegner -1", true, true},
    {"F9",           "StrafeR",    "Strafe Gegner starten / stoppen"},
    {"Num+6",        "StrafeR",    "Strafe Gegner starten / stoppen", true},
    {"F6",           "Time_Out",   "Timeout starten / stoppen"},
    {"F7",           "Break",      "Pause starten / stoppen"},
    {"F8",           "Displ",      "Anzeigen ein / aus"},
    {"F12",          "Uhr",        "Aktuelle Zeit ein / aus"},
    {"Ctrl+O",       "OpenOutput", "COM-Port öffnen / schließen"},
    {"Ctrl+F",       "remoteOn",   "Fernbedienung erlauben / sperren"},
    {"Num+5",        "horn",       "Hupe, solange gedrückt", true},
    {"Ctrl+Z",       "undo",       "Rückgängig"},
    {"Ctrl+Y",       "redo",       "Wiederholen"},
    {"Ctrl+Shift+Z", "redo",       "Wiederholen"},
    {"F1",           "keyList",    "Diese Liste"},
};
// clang-format on

} // namespace

std::span<const KeyBinding> keyBindings() {
    return kKeys;
}

const KeyBinding* findKey(const QString& key) {
    for (const KeyBinding& k : kKeys)
        if (key.compare(QLatin1String(k.key), Qt::CaseInsensitive) == 0)
            return &k;
    return nullptr;
}

QStringList keysOf(const QString& control) {
    QStringList keys;
    for (const KeyBinding& k : kKeys)
        if (control == QLatin1String(k.control))
            keys.append(keyLabel(QLatin1String(k.key)));
    return keys;
}

QString keyLabel(const QString& key) {
    QString label = key;
    label.replace(QLatin1String("Ctrl+"), QLatin1String("Strg+"));
    label.replace(QLatin1String("Shift+"), QLatin1String("Umschalt+"));
    label.replace(QLatin1String("Num+"), QLatin1String("Ziffernblock "));
    if (label == QLatin1String("Space"))
        label = QStringLiteral("Leertaste");
    return label;
}

QString keyListText() {
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    QString last;
    for (const KeyBinding& k : kKeys) {
        if (last == QLatin1String(k.control))
            continue;
        last = QLatin1String(k.control);
        text += QString::fromUtf8(k.what) + QStringLiteral(":  ") +
                keysOf(last).join(QStringLiteral(", ")) + crlf;
    }
    return text + crlf +
           QStringLiteral("Die Tasten wirken, wo auch immer der Fokus steht. In einem Textfeld, "
                          "das bearbeitet wird, schreiben die Leertaste und der Ziffernblock; "
                          "Esc verlässt das Feld (der Text bleibt). Eingabe betätigt den Knopf, "
                          "der den Fokus hat.");
}

} // namespace ml
