#pragma once

// The operator's keys: which key runs which command. The window looks its key presses up here and
// the replay tool runs the same table, so a key does exactly what a click on the command's control
// does (with the control's message boxes). Key names are Qt's portable key texts ("F5", "Space",
// "Num+7", "Ctrl+Shift+Z", "PgDown"); the window writes each key press in that form.
//
// Every command has up to three keys, the club's choice ("Extras → Tasten…"): a foot switch or a
// presenter's clicker beside the keyboard sends keys of its own. No key runs two commands.

#include "core/commands.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>
#include <vector>

namespace ml {

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

    // The standard keys of the commands (`commands()`).
    KeyTable();
    bool operator==(const KeyTable& other) const { return keys_ == other.keys_; }

    // The command that `key` runs, or null.
    const Command* commandOf(const QString& key) const;
    // The command's keys, in their order.
    QStringList keysOf(const Command& command) const;
    // The keys of the command on `control`; none when it has no command.
    QStringList keysOn(const QString& control) const;
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
    // After a change of `keys_`: which key runs which command.
    void index();

    // The keys of each command, in the order of `commands()`.
    std::vector<QStringList> keys_;
    // Each key and the place of its command in `commands()`.
    QHash<QString, std::size_t> byKey_;
};

} // namespace ml
