#include "core/keys.h"

#include <algorithm>

namespace ml {

namespace {

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
    for (const Command& c : commands()) {
        QStringList list;
        for (const char* key : c.keys)
            if (key != nullptr)
                list.append(QString::fromLatin1(key));
        keys_.push_back(list);
    }
    index();
}

void KeyTable::index() {
    byKey_.clear();
    for (std::size_t i = 0; i < keys_.size(); ++i)
        for (const QString& key : keys_[i])
            byKey_.insert(key, i);
}

const Command* KeyTable::commandOf(const QString& key) const {
    const auto it = byKey_.constFind(normal(key));
    return it == byKey_.cend() ? nullptr : &commands()[*it];
}

QStringList KeyTable::keysOf(const Command& command) const {
    return keys_[static_cast<std::size_t>(&command - commands().data())];
}

QStringList KeyTable::keysOn(const QString& control) const {
    const Command* c = commandOn(control);
    return c != nullptr ? keysOf(*c) : QStringList();
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
    QStringList& keys = keys_[static_cast<std::size_t>(&command - commands().data())];
    if (!command.keyed || slot < 0 || slot >= kKeysPerCommand)
        return KeyTable::tr("Jeder Befehl hat höchstens %1 Tasten.").arg(kKeysPerCommand);
    if (key.isEmpty()) {
        if (slot < keys.size())
            keys.removeAt(slot);
        index();
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
        return KeyTable::tr("%1 gehört schon zu \"%2\".").arg(label, other->said());
    // The same key again in another slot of this command moves it.
    keys.removeAll(name);
    if (slot < keys.size())
        keys[slot] = name;
    else
        keys.append(name);
    index();
    return std::nullopt;
}

QString KeyTable::listText() const {
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (!commands()[i].keyed)
            continue;
        QStringList labels;
        for (const QString& key : keys_[i])
            labels.append(keyLabel(key));
        text += commands()[i].said() + QStringLiteral(":  ") +
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
            values.insert(kKeysGroup + QLatin1String(commands()[i].id) + QLatin1Char('/') +
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
    table.index();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!it.key().startsWith(kKeysGroup))
            continue;
        const QStringList path = it.key().mid(kKeysGroup.size()).split(QLatin1Char('/'));
        bool ok = false;
        const int slot = path.value(1).toInt(&ok) - 1;
        const Command* command = commandById(path.value(0));
        const QString key = normal(it.value().toString());
        if (path.size() != 2 || !ok || slot < 0 || slot >= kKeysPerCommand || command == nullptr ||
            !command->keyed || it.value().typeId() != QMetaType::QString || key.isEmpty() ||
            !reserved(key).isEmpty() || table.commandOf(key) != nullptr)
            return std::nullopt;
        table.keys_[static_cast<std::size_t>(command - commands().data())].append(key);
        table.index();
    }
    return table;
}

} // namespace ml
