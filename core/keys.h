#pragma once

// The operator's keys: which key runs which command. The window looks its key presses up here and
// the replay tool runs the same table, so a key does exactly what a click on the command's control
// does (with the control's message boxes). Key names are Qt's portable key texts ("F5", "Space",
// "Num+7", "Ctrl+Shift+Z", "PgDown"); the window writes each key press in that form.
//
// Every command has up to three keys, the club's choice ("Extras → Tasten…"): a foot switch or a
// presenter's clicker beside the keyboard sends keys of its own. No key runs two commands.

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>
#include <span>
#include <vector>

namespace ml {

// A command the operator runs with a key: the click on its control.
struct Command {
    // What the command does in the language of the texts.
    QString said() const;

    // Kept with the settings under this name; it never changes.
    const char* id;
    const char* control;
    // What the command does, for the key list and the dialog.
    const char* what;
    // Runs while its control is hidden: the +1 and -1 buttons of a side share one place and the
    // counting direction shows only one pair, but both steps stay at hand on the keys; a foul key
    // under a sport without fouls says that it counts none.
    bool evenHidden = false;
};

// The commands, in the order of the key list.
std::span<const Command> commands();

// A key that types in a text box being edited (a blank, a letter, a digit, the keypad, Enter):
// there it types, and runs its command everywhere else.
bool typesInBox(const QString& key);
// The key as the operator reads it ("F5", "Leertaste", "Strg+Z", "Bild ab").
QString keyLabel(const QString& key);
// Why the window system keeps `key` for itself (Alt+Tab, the Windows key …); empty when it does
// not: such a key never reaches the program.
QString windowSystemTakes(const QString& key);

class KeyTable {
    Q_DECLARE_TR_FUNCTIONS(KeyTable)

  public:
    static constexpr int kKeysPerCommand = 3;

    // The standard keys.
    KeyTable();
    bool operator==(const KeyTable&) const = default;

    // The command that `key` runs, or null.
    const Command* commandOf(const QString& key) const;
    // The keys of the command on `control`, in their order; none when it has no command.
    QStringList keysOf(const QString& control) const;
    // Puts `key` as the command's key number `slot` (0..2; a slot past the last key adds one, an
    // empty key takes the slot's key away). A key of another command, one the program keeps for
    // itself or one the window system takes is refused: the reason, and the table stays.
    std::optional<QString> set(const Command& command, int slot, const QString& key);

    // The text of the key list ("?" → "Tastenkürzel…", F1).
    QString listText() const;

    // As kept with the settings: "keys/ID/1" … for each command.
    void store(QVariantMap& values) const;
    // The table kept in `values`; the standard keys when there is none, nothing when it is no
    // table (an unknown key name or command, a key on two commands, too many keys).
    static std::optional<KeyTable> fromValues(const QVariantMap& values);

  private:
    // Why the program keeps `key` for itself; empty when it does not.
    static QString reserved(const QString& key);

    // The keys of each command, in the order of `commands()`.
    std::vector<QStringList> keys_;
};

} // namespace ml
