#include "core/commands.h"

#include <QCoreApplication>

#include <algorithm>

namespace ml {

namespace {

bool clockRan(const Form& f) {
    return f.ClockRunning;
}
bool homePenaltyRan(const Form& f) {
    return f.penaltyL.running;
}
bool guestPenaltyRan(const Form& f) {
    return f.penaltyR.running;
}

// Blind use at the desk: the home side on the left block of function keys (F2 +1, F3 -1, F4
// penalty), the guest side mirrored on the right block (F11 +1, F10 -1, F9 penalty), the match
// commands in the middle block; the keyboard's corners F1 (help, as everywhere) and F12 are
// found without looking. The numeric keypad repeats the frequent commands for one hand: the
// wide 0 for the clock, the left column for the home side, the right one for the guest side,
// and the middle key 5 (the one with the bump) the hand horn, sounding while it is held.
// Ctrl+O opens the port, as "open" does in every program; Ctrl+F takes remote control away (F
// for "Fernbedienung": Marklight has nothing to find). Under a sport's rules, Shift makes a side's
// "+1" key its team's timeout, its penalty key its team's foul, and the break key the period's
// next step; Ctrl on the penalty key is a player's warning, Ctrl+Shift a disqualification.
const Command kCommands[] = {
    {.id = "clock",
     .control = "St_St",
     .label = QT_TRANSLATE_NOOP("Command", "Spielzeit starten / stoppen"),
     .keys = {"F5", "Space", "Num+0"},
     .remote = {QT_TRANSLATE_NOOP("Command", "Spielzeit Start/Stop"),
                QT_TRANSLATE_NOOP("Command", "Start"), QT_TRANSLATE_NOOP("Command", "Stop"), true},
     .undo = {QT_TRANSLATE_NOOP("Command", "Spielzeit starten"),
              QT_TRANSLATE_NOOP("Command", "Spielzeit stoppen"), clockRan}},
    {.id = "homePlus",
     .control = "up_l",
     .label = QT_TRANSLATE_NOOP("Command", "Spielstand Heim +1"),
     .keys = {"F2", "Num+7"},
     .evenHidden = true,
     .remote = {QT_TRANSLATE_NOOP("Command", "Tor Heim")},
     .undo = {QT_TRANSLATE_NOOP("Command", "Spielstand Heim +1")}},
    {.id = "homeMinus",
     .control = "down_l",
     .label = QT_TRANSLATE_NOOP("Command", "Spielstand Heim -1"),
     .keys = {"F3", "Num+1"},
     .evenHidden = true,
     .remote = {QT_TRANSLATE_NOOP("Command", "Heim −1")},
     .undo = {QT_TRANSLATE_NOOP("Command", "Spielstand Heim -1")}},
    {.id = "homePenalty",
     .control = "StrafeL",
     .label = QT_TRANSLATE_NOOP("Command", "Strafe Heim starten / stoppen"),
     .keys = {"F4", "Num+4"},
     .remote = {QT_TRANSLATE_NOOP("Command", "Strafe Heim"), nullptr,
                QT_TRANSLATE_NOOP("Command", "Strafe Heim beenden"), true,
                Command::Remote::Shown::Always, Command::Remote::Pad::Penalty},
     .undo = {QT_TRANSLATE_NOOP("Command", "Strafe Heim starten"),
              QT_TRANSLATE_NOOP("Command", "Strafe Heim stoppen"), homePenaltyRan,
              QT_TRANSLATE_NOOP("Command", "Strafe Heim")}},
    {.id = "guestPlus",
     .control = "up_r",
     .label = QT_TRANSLATE_NOOP("Command", "Spielstand Gegner +1"),
     .keys = {"F11", "Num+9"},
     .evenHidden = true,
     .remote = {QT_TRANSLATE_NOOP("Command", "Tor Gegner")},
     .undo = {QT_TRANSLATE_NOOP("Command", "Spielstand Gegner +1")}},
    {.id = "guestMinus",
     .control = "down_r",
     .label = QT_TRANSLATE_NOOP("Command", "Spielstand Gegner -1"),
     .keys = {"F10", "Num+3"},
     .evenHidden = true,
     .remote = {QT_TRANSLATE_NOOP("Command", "Gegner −1")},
     .undo = {QT_TRANSLATE_NOOP("Command", "Spielstand Gegner -1")}},
    {.id = "guestPenalty",
     .control = "StrafeR",
     .label = QT_TRANSLATE_NOOP("Command", "Strafe Gegner starten / stoppen"),
     .keys = {"F9", "Num+6"},
     .remote = {QT_TRANSLATE_NOOP("Command", "Strafe Gegner"), nullptr,
                QT_TRANSLATE_NOOP("Command", "Strafe Gegner beenden"), true,
                Command::Remote::Shown::Always, Command::Remote::Pad::Penalty},
     .undo = {QT_TRANSLATE_NOOP("Command", "Strafe Gegner starten"),
              QT_TRANSLATE_NOOP("Command", "Strafe Gegner stoppen"), guestPenaltyRan,
              QT_TRANSLATE_NOOP("Command", "Strafe Gegner")}},
    {.id = "timeout",
     .control = "Time_Out",
     .label = QT_TRANSLATE_NOOP("Command", "Timeout starten / stoppen"),
     .keys = {"F6"},
     .remote = {QT_TRANSLATE_NOOP("Command", "Timeout"), nullptr,
                QT_TRANSLATE_NOOP("Command", "Timeout beenden"), true,
                Command::Remote::Shown::WithoutRules}},
    {.id = "break",
     .control = "Break",
     .label = QT_TRANSLATE_NOOP("Command", "Pause starten / stoppen"),
     .keys = {"F7"},
     .remote = {QT_TRANSLATE_NOOP("Command", "Pause"), nullptr,
                QT_TRANSLATE_NOOP("Command", "Pause beenden"), true,
                Command::Remote::Shown::WithoutRules}},
    {.id = "nextPeriod",
     .control = "nextPeriod",
     .label = QT_TRANSLATE_NOOP("Command", "Nächster Abschnitt: Pause, dann die nächste Periode"),
     .keys = {"Shift+F7"},
     .remote = {QT_TRANSLATE_NOOP("Command", "Nächster Abschnitt"), nullptr, nullptr, false,
                Command::Remote::Shown::UnderRules},
     .undo = {QT_TRANSLATE_NOOP("Command", "Abschnitt")}},
    {.id = "homeTimeout",
     .control = "teamTimeoutL",
     .label = QT_TRANSLATE_NOOP("Command", "Timeout Heim (nach den Regeln der Sportart)"),
     .keys = {"Shift+F2"},
     .remote = {QT_TRANSLATE_NOOP("Command", "Timeout Heim"), nullptr, nullptr, true,
                Command::Remote::Shown::Timeouts},
     .undo = {QT_TRANSLATE_NOOP("Command", "Timeout Heim")}},
    {.id = "guestTimeout",
     .control = "teamTimeoutR",
     .label = QT_TRANSLATE_NOOP("Command", "Timeout Gegner (nach den Regeln der Sportart)"),
     .keys = {"Shift+F11"},
     .remote = {QT_TRANSLATE_NOOP("Command", "Timeout Gegner"), nullptr, nullptr, true,
                Command::Remote::Shown::Timeouts},
     .undo = {QT_TRANSLATE_NOOP("Command", "Timeout Gegner")}},
    {.id = "homeFoul",
     .control = "foulL",
     .label = QT_TRANSLATE_NOOP("Command", "Foul Heim (wo die Sportart Fouls zählt)"),
     .keys = {"Shift+F4"},
     .evenHidden = true,
     .remote = {QT_TRANSLATE_NOOP("Command", "Foul Heim"), nullptr, nullptr, false,
                Command::Remote::Shown::Fouls, Command::Remote::Pad::Player},
     .undo = {QT_TRANSLATE_NOOP("Command", "Foul Heim")}},
    {.id = "guestFoul",
     .control = "foulR",
     .label = QT_TRANSLATE_NOOP("Command", "Foul Gegner (wo die Sportart Fouls zählt)"),
     .keys = {"Shift+F9"},
     .evenHidden = true,
     .remote = {QT_TRANSLATE_NOOP("Command", "Foul Gegner"), nullptr, nullptr, false,
                Command::Remote::Shown::Fouls, Command::Remote::Pad::Player},
     .undo = {QT_TRANSLATE_NOOP("Command", "Foul Gegner")}},
    {.id = "homeWarning",
     .control = "warningL",
     .label =
         QT_TRANSLATE_NOOP("Command", "Verwarnung Heim (gelbe Karte, wo die Sportart Karten gibt)"),
     .keys = {"Ctrl+F4"},
     .undo = {QT_TRANSLATE_NOOP("Command", "Verwarnung Heim")}},
    {.id = "guestWarning",
     .control = "warningR",
     .label = QT_TRANSLATE_NOOP("Command",
                                "Verwarnung Gegner (gelbe Karte, wo die Sportart Karten gibt)"),
     .keys = {"Ctrl+F9"},
     .undo = {QT_TRANSLATE_NOOP("Command", "Verwarnung Gegner")}},
    {.id = "homeRedCard",
     .control = "redCardL",
     .label = QT_TRANSLATE_NOOP("Command", "Disqualifikation Heim (rote Karte)"),
     .keys = {"Ctrl+Shift+F4"},
     .undo = {QT_TRANSLATE_NOOP("Command", "Disqualifikation Heim")}},
    {.id = "guestRedCard",
     .control = "redCardR",
     .label = QT_TRANSLATE_NOOP("Command", "Disqualifikation Gegner (rote Karte)"),
     .keys = {"Ctrl+Shift+F9"},
     .undo = {QT_TRANSLATE_NOOP("Command", "Disqualifikation Gegner")}},
    {.id = "display",
     .control = "Displ",
     .label = QT_TRANSLATE_NOOP("Command", "Anzeigen ein / aus"),
     .keys = {"F8"}},
    {.id = "timeOfDay",
     .control = "Uhr",
     .label = QT_TRANSLATE_NOOP("Command", "Aktuelle Zeit ein / aus"),
     .keys = {"F12"}},
    {.id = "port",
     .control = "OpenOutput",
     .label = QT_TRANSLATE_NOOP("Command", "COM-Port öffnen / schließen"),
     .keys = {"Ctrl+O"}},
    {.id = "remote",
     .control = "remoteOn",
     .label = QT_TRANSLATE_NOOP("Command", "Fernbedienung erlauben / sperren"),
     .keys = {"Ctrl+F"}},
    {.id = "horn",
     .control = "horn",
     .label = QT_TRANSLATE_NOOP("Command", "Hupe, solange gedrückt"),
     .keys = {"Num+5"},
     .remote = {QT_TRANSLATE_NOOP("Command", "Hupe")}},
    {.id = "undo",
     .control = "undo",
     .label = QT_TRANSLATE_NOOP("Command", "Rückgängig"),
     .keys = {"Ctrl+Z"},
     .remote = {QT_TRANSLATE_NOOP("Command", "Rückgängig")}},
    {.id = "redo",
     .control = "redo",
     .label = QT_TRANSLATE_NOOP("Command", "Wiederholen"),
     .keys = {"Ctrl+Y", "Ctrl+Shift+Z"}},
    {.id = "keyList",
     .control = "keyList",
     .label = QT_TRANSLATE_NOOP("Command", "Diese Liste"),
     .keys = {"F1"}},
    // Commands of the window without keys: their steps are named for the undo history.
    {.id = "homePenaltyEnd",
     .control = "penaltyEndL",
     .label = QT_TRANSLATE_NOOP("Command", "Strafe Heim beendet"),
     .keyed = false,
     .undo = {QT_TRANSLATE_NOOP("Command", "Strafe Heim beendet")}},
    {.id = "guestPenaltyEnd",
     .control = "penaltyEndR",
     .label = QT_TRANSLATE_NOOP("Command", "Strafe Gegner beendet"),
     .keyed = false,
     .undo = {QT_TRANSLATE_NOOP("Command", "Strafe Gegner beendet")}},
    {.id = "homePenaltyRemove",
     .control = "penaltyRemoveL",
     .label = QT_TRANSLATE_NOOP("Command", "Strafe Heim entfernt"),
     .keyed = false,
     .undo = {QT_TRANSLATE_NOOP("Command", "Strafe Heim entfernt")}},
    {.id = "guestPenaltyRemove",
     .control = "penaltyRemoveR",
     .label = QT_TRANSLATE_NOOP("Command", "Strafe Gegner entfernt"),
     .keyed = false,
     .undo = {QT_TRANSLATE_NOOP("Command", "Strafe Gegner entfernt")}},
    {.id = "resetClock",
     .control = "Reset_Time",
     .label = QT_TRANSLATE_NOOP("Command", "Spielzeit zurücksetzen"),
     .keyed = false,
     .undo = {QT_TRANSLATE_NOOP("Command", "Spielzeit zurücksetzen")}},
    {.id = "reset",
     .control = "reset",
     .label = QT_TRANSLATE_NOOP("Command", "Reset"),
     .keyed = false,
     .undo = {QT_TRANSLATE_NOOP("Command", "Reset")}},
    {.id = "changeEnds",
     .control = "s_change",
     .label = QT_TRANSLATE_NOOP("Command", "Seitenwechsel"),
     .keyed = false,
     .undo = {QT_TRANSLATE_NOOP("Command", "Seitenwechsel")}},
};

QString translated(const char* text) {
    return QCoreApplication::translate("Command", text);
}

} // namespace

QString Command::said() const {
    return translated(label);
}

QString Command::undoName(const Form& before, bool underRules) const {
    if (undo.name == nullptr)
        return {};
    if (underRules && undo.underRules != nullptr)
        return translated(undo.underRules);
    return translated(undo.ran != nullptr && undo.ran(before) ? undo.stop : undo.name);
}

std::span<const Command> commands() {
    return kCommands;
}

const Command* commandById(const QString& id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [&id](const Command& c) { return id == QLatin1String(c.id); });
    return it == std::end(kCommands) ? nullptr : &*it;
}

const Command* commandOn(const QString& control) {
    const auto it =
        std::find_if(std::begin(kCommands), std::end(kCommands), [&control](const Command& c) {
            return control == QLatin1String(c.controlName());
        });
    return it == std::end(kCommands) ? nullptr : &*it;
}

} // namespace ml
