#include "core/keys.h"

#include <algorithm>

namespace ml {

namespace {

// clang-format off
constexpr Command kCommands[] = {
    {"clock",        "St_St",      QT_TRANSLATE_NOOP("KeyTable", "Spielzeit starten / stoppen")},
    {"homePlus",     "up_l",       QT_TRANSLATE_NOOP("KeyTable", "Spielstand Heim +1"), true},
    {"homeMinus",    "down_l",     QT_TRANSLATE_NOOP("KeyTable", "Spielstand Heim -1"), true},
    {"homePenalty",  "StrafeL",    QT_TRANSLATE_NOOP("KeyTable", "Strafe Heim starten / stoppen")},
    {"guestPlus",    "up_r",       QT_TRANSLATE_NOOP("KeyTable", "Spielstand Gegner +1"), true},
    {"guestMinus",   "down_r",     QT_TRANSLATE_NOOP("KeyTable", "Spielstand Gegner -1"), true},
    {"guestPenalty", "StrafeR",    QT_TRANSLATE_NOOP("KeyTable", "Strafe Gegner starten / stoppen")},
    {"timeout",      "Time_Out",   QT_TRANSLATE_NOOP("KeyTable", "Timeout starten / stoppen")},
    {"break",        "Break",      QT_TRANSLATE_NOOP("KeyTable", "Pause starten / stoppen")},
    {"nextPeriod",   "nextPeriod", QT_TRANSLATE_NOOP("KeyTable", "Nächster Abschnitt: Pause, dann die nächste Periode")},
    {"homeTimeout",  "teamTimeoutL", QT_TRANSLATE_NOOP("KeyTable", "Timeout Heim (nach den Regeln der Sportart)")},
    {"guestTimeout", "teamTimeoutR", QT_TRANSLATE_NOOP("KeyTable", "Timeout Gegner (nach den Regeln der Sportart)")},
    {"homeFoul",     "foulL",      QT_TRANSLATE_NOOP("KeyTable", "Foul Heim (wo die Sportart Fouls zählt)"), true},
    {"guestFoul",    "foulR",      QT_TRANSLATE_NOOP("KeyTable", "Foul Gegner (wo die Sportart Fouls zählt)"), true},
    {"display",      "Displ",      QT_TRANSLATE_NOOP("KeyTable", "Anzeigen ein / aus")},
    {"timeOfDay",    "Uhr",        QT_TRANSLATE_NOOP("KeyTable", "Aktuelle Zeit ein / aus")},
    {"port",         "OpenOutput", QT_TRANSLATE_NOOP("KeyTable", "COM-Port öffnen / schließen")},
    {"remote",       "remoteOn",   QT_TRANSLATE_NOOP("KeyTable", "Fernbedienung erlauben / sperren")},
    {"horn",         "horn",       QT_TRANSLATE_NOOP("KeyTable", "Hupe, solange gedrückt")},
    {"undo",         "undo",       QT_TRANSLATE_NOOP("KeyTable", "Rückgängig")},
    {"redo",         "redo",       QT_TRANSLATE_NOOP("KeyTable", "Wiederholen")},
    {"keyList",      "keyList",    QT_TRANSLATE_NOOP("KeyTable", "Diese Liste")},
};

// Blind use at the desk: the home side on the left block of function keys (F2 +1, F3 -1, F4
// penalty), the guest side mirrored on the right block (F11 +1, F10 -1, F9 penalty), the match
// commands in the middle block; the keyboard's corners F1 (help, as everywhere) and F12 are
// found without looking. The numeric keypad repeats the frequent commands for one hand: the
// wide 0 for the clock, the left column for the home side, the right one for the guest side,
// and the middle key 5 (the one with the bump) the hand horn, sounding while it is held.
// Ctrl+O opens the port, as "open" does in every program; Ctrl+F takes remote control away (F
// for "Fernbedienung": Marklight has nothing to find). Under a sport's rules, Shift makes a side's
// "+1" key its team's timeout, its penalty key its team's foul, and the break key the period's
// next step. In the order of `kCommands`.
const char* const kStandard[][KeyTable::kKeysPerCommand] = {
    {"F5", "Space", "Num+0"},
    {"F2", "Num+7"},
    {"F3", "Num+1"},
    {"F4", "Num+4"},
    {"F11", "Num+9"},
    {"F10", "Num+3"},
    {"F9", "Num+6"},
    {"F6"},
    {"F7"},
    {"Shift+F7"},
    {"Shift+F2"},
    {"Shift+F11"},
    {"Shift+F4"},
    {"Shift+F9"},
    {"F8"},
    {"F12"},
    {"Ctrl+O"},
    {"Ctrl+F"},
    {"Num+5"},
    {"Ctrl+Z"},
    {"Ctrl+Y", "Ctrl+Shift+Z"},
    {"F1"},
};
// clang-format on
static_assert(std::size(kStandard) == std::size(kCommands));

const QString kKeysGroup = QStringLiteral("keys/");

// A key name taken apart: its modifiers and the key itself.
struct Key {
    bool ctrl = false, alt = false, shift = false, meta = false, num = false;
    QString key;

    bool only(bool c, bool a, bool s) const { return ctrl == c && alt == a && shift == s && !meta; }
    bool plain() const { return only(false, false, false); }
    bool is(const char* name) const { return key == QLatin1String(name); }
    bool functionKey() const {
        bool ok = false;
        const int n = key.mid(1).toInt(&ok);
        return key.startsWith(QLatin1Char('F')) && ok && n >= 1 && n <= 35;
    }
    // As Qt writes it: "Ctrl+Alt+Shift+Meta+Num+" and the key.
    QString name() const {
        QString text;
        for (const auto& [on, what] : {std::pair{ctrl, "Ctrl+"},
                                       {alt, "Alt+"},
                                       {shift, "Shift+"},
                                       {meta, "Meta+"},
                                       {num, "Num+"}})
            if (on)
                text += QLatin1String(what);
        return text + key;
    }
};

// The keys with a name of their own, as Qt's portable key texts spell them; beside them every
// single printable character and F1 to F35 are keys.
const char* const kNamedKeys[] = {
    "Space",
    "Esc",
    "Tab",
    "Backtab",
    "Backspace",
    "Return",
    "Enter",
    "Ins",
    "Del",
    "Pause",
    "Print",
    "SysReq",
    "Home",
    "End",
    "Left",
    "Up",
    "Right",
    "Down",
    "PgUp",
    "PgDown",
    "Menu",
    "Help",
    "Back",
    "Forward",
    "Stop",
    "Refresh",
    "Volume Down",
    "Volume Mute",
    "Volume Up",
    "Media Play",
    "Media Stop",
    "Media Previous",
    "Media Next",
    "Media Pause",
    "Toggle Media Play/Pause",
    "Meta",
    "Super L",
    "Super R",
};

// `text` as a key: modifiers in any order, then one key; nothing for anything else.
std::optional<Key> parse(const QString& text) {
    Key k;
    QString rest = text.trimmed();
    for (;;) {
        const qsizetype plus = rest.indexOf(QLatin1Char('+'));
        // "Ctrl++" is Ctrl and the plus key.
        if (plus <= 0 || plus == rest.size() - 1)
            break;
        const QString modifier = rest.left(plus).toLower();
        bool* flag = modifier == QLatin1String("ctrl")    ? &k.ctrl
                     : modifier == QLatin1String("alt")   ? &k.alt
                     : modifier == QLatin1String("shift") ? &k.shift
                     : modifier == QLatin1String("meta")  ? &k.meta
                     : modifier == QLatin1String("num")   ? &k.num
                                                          : nullptr;
        if (flag == nullptr || *flag)
            return std::nullopt;
        *flag = true;
        rest = rest.mid(plus + 1);
    }
    if (rest.size() == 1 && rest[0].isPrint() && !rest[0].isSpace()) {
        k.key = rest.toUpper();
        return k;
    }
    for (const char* named : kNamedKeys)
        if (rest.compare(QLatin1String(named), Qt::CaseInsensitive) == 0) {
            k.key = QLatin1String(named);
            return k;
        }
    k.key = rest.toUpper();
    if (k.functionKey())
        return k;
    return std::nullopt;
}

// Keys compare as Qt writes them ("ctrl+o" is "Ctrl+O").
QString normal(const QString& key) {
    const std::optional<Key> k = parse(key);
    return k ? k->name() : QString();
}

} // namespace

QString Command::said() const {
    return KeyTable::tr(what);
}

std::span<const Command> commands() {
    return kCommands;
}

bool typesInBox(const QString& key) {
    const std::optional<Key> k = parse(key);
    if (!k)
        return false;
    if (k->num)
        return true;
    return k->only(false, false, k->shift) &&
           (k->key.size() == 1 || k->is("Space") || k->is("Return") || k->is("Enter"));
}

QString keyLabel(const QString& key) {
    const std::optional<Key> k = parse(key);
    if (!k)
        return key;
    static const struct {
        const char* key;
        const char* label;
    } kLabels[] = {
        {"Space", QT_TRANSLATE_NOOP("KeyTable", "Leertaste")},
        {"PgUp", QT_TRANSLATE_NOOP("KeyTable", "Bild auf")},
        {"PgDown", QT_TRANSLATE_NOOP("KeyTable", "Bild ab")},
        {"Return", QT_TRANSLATE_NOOP("KeyTable", "Eingabe")},
        {"Enter", QT_TRANSLATE_NOOP("KeyTable", "Eingabe")},
        {"Del", QT_TRANSLATE_NOOP("KeyTable", "Entf")},
        {"Ins", QT_TRANSLATE_NOOP("KeyTable", "Einfg")},
        {"Backspace", QT_TRANSLATE_NOOP("KeyTable", "Rücktaste")},
        {"Home", QT_TRANSLATE_NOOP("KeyTable", "Pos1")},
        {"End", QT_TRANSLATE_NOOP("KeyTable", "Ende")},
        {"Left", QT_TRANSLATE_NOOP("KeyTable", "Links")},
        {"Right", QT_TRANSLATE_NOOP("KeyTable", "Rechts")},
        {"Up", QT_TRANSLATE_NOOP("KeyTable", "Auf")},
        {"Down", QT_TRANSLATE_NOOP("KeyTable", "Ab")},
        {"Print", QT_TRANSLATE_NOOP("KeyTable", "Druck")},
    };
    QString label;
    for (const auto& [on, what] : {std::pair{k->ctrl, QT_TRANSLATE_NOOP("KeyTable", "Strg+")},
                                   {k->alt, QT_TRANSLATE_NOOP("KeyTable", "Alt+")},
                                   {k->shift, QT_TRANSLATE_NOOP("KeyTable", "Umschalt+")},
                                   {k->meta, QT_TRANSLATE_NOOP("KeyTable", "Windows+")},
                                   {k->num, QT_TRANSLATE_NOOP("KeyTable", "Ziffernblock ")}})
        if (on)
            label += KeyTable::tr(what);
    for (const auto& named : kLabels)
        if (k->is(named.key))
            return label + KeyTable::tr(named.label);
    return label + k->key;
}

QString windowSystemTakes(const QString& key) {
    const std::optional<Key> k = parse(key);
    if (!k)
        return {};
    const bool ctrlAlt = k->only(true, true, false);
    if (k->meta || k->is("Meta") || k->is("Super L") || k->is("Super R"))
        return KeyTable::tr("Die Windows-Taste gehört dem Fenstersystem.");
    if (k->alt && (k->is("Tab") || k->is("Backtab")))
        return KeyTable::tr("Alt+Tab wechselt das Fenster.");
    if (k->only(false, true, false) && k->is("F4"))
        return KeyTable::tr("Alt+F4 schließt das Fenster.");
    if (k->only(false, true, false) && k->is("Space"))
        return KeyTable::tr("Alt+Leertaste öffnet das Fenstermenü.");
    if ((k->only(false, true, false) || k->only(true, false, false)) && k->is("Esc"))
        return KeyTable::tr("Die Tastenkombination öffnet das Startmenü oder wechselt das "
                            "Fenster.");
    if (ctrlAlt && (k->is("Del") || k->is("Backspace")))
        return KeyTable::tr("Strg+Alt+Entf und Strg+Alt+Rücktaste gehören dem System.");
    if (ctrlAlt && k->functionKey())
        return KeyTable::tr("Strg+Alt mit einer F-Taste wechselt die Konsole.");
    if (ctrlAlt && (k->is("Left") || k->is("Right") || k->is("Up") || k->is("Down") || k->is("L") ||
                    k->is("T")))
        return KeyTable::tr("Die Arbeitsfläche nimmt sich diese Tastenkombination.");
    if (k->is("Print") || k->is("SysReq"))
        return KeyTable::tr("Die Druck-Taste macht ein Bildschirmfoto.");
    return {};
}

KeyTable::KeyTable() {
    for (const auto& keys : kStandard) {
        QStringList list;
        for (const char* key : keys)
            if (key != nullptr)
                list.append(QString::fromLatin1(key));
        keys_.push_back(list);
    }
}

const Command* KeyTable::commandOf(const QString& key) const {
    const QString wanted = normal(key);
    if (wanted.isEmpty())
        return nullptr;
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i].contains(wanted))
            return &kCommands[i];
    return nullptr;
}

QStringList KeyTable::keysOf(const QString& control) const {
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (control == QLatin1String(kCommands[i].control))
            return keys_[i];
    return {};
}

QString KeyTable::reserved(const QString& key) {
    const std::optional<Key> k = parse(key);
    if (k->plain() && !k->num && k->is("Esc"))
        return KeyTable::tr("Esc verlässt ein Textfeld und schließt Fenster.");
    if (k->is("Tab") || k->is("Backtab"))
        return KeyTable::tr("Tab geht von Feld zu Feld.");
    if (k->only(false, true, false) && (k->is("Return") || k->is("Enter")))
        return KeyTable::tr("Alt+Eingabe schaltet den Anzeige-Monitor auf Vollbild.");
    if (k->only(false, true, false) && !k->num && k->key.size() == 1 && k->key[0].isLetter())
        return KeyTable::tr("Alt mit einem Buchstaben öffnet die Menüs.");
    return {};
}

std::optional<QString> KeyTable::set(const Command& command, int slot, const QString& key) {
    const auto at = static_cast<std::size_t>(&command - kCommands);
    QStringList& keys = keys_[at];
    if (slot < 0 || slot >= kKeysPerCommand)
        return KeyTable::tr("Jeder Befehl hat höchstens %1 Tasten.").arg(kKeysPerCommand);
    if (key.isEmpty()) {
        if (slot < keys.size())
            keys.removeAt(slot);
        return std::nullopt;
    }
    const QString name = normal(key);
    if (name.isEmpty())
        return KeyTable::tr("Diese Taste kennt Marklight nicht.");
    const QString label = keyLabel(name);
    if (const QString why = windowSystemTakes(name); !why.isEmpty())
        return KeyTable::tr("%1 nimmt sich das Fenstersystem: %2").arg(label, why);
    if (const QString why = reserved(name); !why.isEmpty())
        return KeyTable::tr("%1 ist vergeben: %2").arg(label, why);
    if (const Command* other = commandOf(name); other != nullptr && other != &command)
        return KeyTable::tr("%1 gehört schon zu \"%2\".").arg(label, KeyTable::tr(other->what));
    // The same key again in another slot of this command moves it.
    keys.removeAll(name);
    if (slot < keys.size())
        keys[slot] = name;
    else
        keys.append(name);
    return std::nullopt;
}

QString KeyTable::listText() const {
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        QStringList labels;
        for (const QString& key : keys_[i])
            labels.append(keyLabel(key));
        text += KeyTable::tr(kCommands[i].what) + QStringLiteral(":  ") +
                (labels.isEmpty() ? QStringLiteral("–") : labels.join(QStringLiteral(", "))) + crlf;
    }
    return text + crlf +
           KeyTable::tr("Die Tasten wirken, wo auch immer der Fokus steht, auch im "
                        "Anzeige-Monitor; \"Extras → Tasten…\" ändert sie. In einem Textfeld, "
                        "das bearbeitet wird, schreiben die Leertaste, Buchstaben und der "
                        "Ziffernblock; Esc verlässt das Feld (der Text bleibt). Eingabe "
                        "betätigt den Knopf, der den Fokus hat. Esc schließt das "
                        "Meldungsfenster. Anzeige-Monitor: Vollbild mit Alt+Eingabe oder "
                        "Doppelklick, Esc verlässt es.");
}

void KeyTable::store(QVariantMap& values) const {
    for (std::size_t i = 0; i < keys_.size(); ++i)
        for (qsizetype k = 0; k < keys_[i].size(); ++k)
            values.insert(kKeysGroup + QLatin1String(kCommands[i].id) + QLatin1Char('/') +
                              QString::number(k + 1),
                          keys_[i][k]);
}

std::optional<KeyTable> KeyTable::fromValues(const QVariantMap& values) {
    KeyTable table;
    bool any = false;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        any = any || it.key().startsWith(kKeysGroup);
    if (!any)
        return table;
    for (QStringList& keys : table.keys_)
        keys.clear();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!it.key().startsWith(kKeysGroup))
            continue;
        const QStringList path = it.key().mid(kKeysGroup.size()).split(QLatin1Char('/'));
        bool ok = false;
        const int slot = path.value(1).toInt(&ok) - 1;
        const auto command =
            std::find_if(std::begin(kCommands), std::end(kCommands),
                         [&](const Command& c) { return path.value(0) == QLatin1String(c.id); });
        const QString key = normal(it.value().toString());
        if (path.size() != 2 || !ok || slot < 0 || slot >= kKeysPerCommand ||
            command == std::end(kCommands) || it.value().typeId() != QMetaType::QString ||
            key.isEmpty() || !reserved(key).isEmpty() || table.commandOf(key) != nullptr)
            return std::nullopt;
        QStringList& keys = table.keys_[static_cast<std::size_t>(command - kCommands)];
        keys.append(key);
    }
    return table;
}

} // namespace ml
