#include "app/key_dialog.h"

#include "app/key_router.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ml::app {

namespace {

// The commands that take keys, in the order of the key list.
std::vector<const Command*> keyedCommands() {
    std::vector<const Command*> keyed;
    for (const Command& c : commands())
        if (c.keyed)
            keyed.push_back(&c);
    return keyed;
}

const char* const kColumns[] = {
    QT_TRANSLATE_NOOP("KeyDialog", "Befehl"), QT_TRANSLATE_NOOP("KeyDialog", "Taste"),
    QT_TRANSLATE_NOOP("KeyDialog", "Zweite Taste"), QT_TRANSLATE_NOOP("KeyDialog", "Dritte Taste")};

bool modifierOnly(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_Super_L ||
           key == Qt::Key_Super_R || key == 0 || key == Qt::Key_unknown;
}

} // namespace

KeyDialog::KeyDialog(Program& program, std::function<void()> changed, QWidget* parent)
    : QDialog(parent), program_(program), changed_(std::move(changed)), commands_(keyedCommands()),
      table_(new QTableWidget(static_cast<int>(commands_.size()), 4, this)),
      note_(new QLabel(this)), change_(new QPushButton(tr("Ändern…"), this)),
      remove_(new QPushButton(tr("Entfernen"), this)) {
    setObjectName(QStringLiteral("KeyDialog"));
    setWindowTitle(tr("Tasten"));
    table_->setObjectName(QStringLiteral("keyTable"));
    for (int c = 0; c < 4; ++c)
        table_->setHorizontalHeaderItem(c, new QTableWidgetItem(tr(kColumns[c])));
    table_->verticalHeader()->hide();
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    note_->setObjectName(QStringLiteral("keyNote"));
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);
    change_->setObjectName(QStringLiteral("keyChange"));
    change_->setToolTip(tr("Die nächste gedrückte Taste wird die gewählte Taste des "
                           "Befehls (Esc bricht ab)"));
    remove_->setObjectName(QStringLiteral("keyRemove"));
    for (QPushButton* b : {change_, remove_})
        b->setAutoDefault(false);

    connect(change_, &QPushButton::clicked, this, &KeyDialog::capture);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int, int column) {
        if (column > 0)
            capture();
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        int slot = 0;
        if (const Command* c = selectedCommand(&slot)) {
            program_.keys.set(*c, slot, {});
            program_.viewChanged();
            changed_();
            fill();
        }
    });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* standard = buttons->addButton(tr("Standard"), QDialogButtonBox::ResetRole);
    standard->setObjectName(QStringLiteral("keyStandard"));
    standard->setAutoDefault(false);
    connect(standard, &QPushButton::clicked, this, [this] {
        program_.keys = KeyTable();
        program_.viewChanged();
        changed_();
        fill();
        say(tr("Die Standardtasten gelten wieder."), false);
    });
    QPushButton* close = buttons->addButton(tr("Schließen"), QDialogButtonBox::AcceptRole);
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(change_);
    row->addWidget(remove_);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(note_);
    layout->addLayout(row);
    layout->addWidget(buttons);
    fill();
    table_->setCurrentCell(0, 1);
    say(tr("Eine Taste wählen und \"Ändern…\" (oder doppelklicken), dann die neue "
           "Taste drücken. Fußschalter und Präsentations-Fernbedienungen senden "
           "gewöhnliche Tasten (Bild auf/ab, B, F5, Eingabe)."),
        false);
    // Every command in sight, at every size of the window.
    table_->resizeRowsToContents();
    table_->setMinimumSize(table_->horizontalHeader()->length() + 2 * table_->frameWidth(),
                           table_->verticalHeader()->length() +
                               table_->horizontalHeader()->height() + 2 * table_->frameWidth());
}

void KeyDialog::fill() {
    for (int r = 0; r < static_cast<int>(commands_.size()); ++r) {
        const Command& c = *commands_[static_cast<std::size_t>(r)];
        auto* what = new QTableWidgetItem(c.said());
        what->setFlags(Qt::ItemIsEnabled);
        table_->setItem(r, 0, what);
        const QStringList keys = program_.keys.keysOf(c);
        for (int k = 0; k < KeyTable::kKeysPerCommand; ++k) {
            auto* item = new QTableWidgetItem(k < keys.size() ? keyLabel(keys[k]) : QString());
            item->setData(Qt::UserRole, k < keys.size() ? keys[k] : QString());
            table_->setItem(r, k + 1, item);
        }
    }
}

const Command* KeyDialog::selectedCommand(int* slot) const {
    const int r = table_->currentRow();
    const int column = table_->currentColumn();
    if (r < 0 || column < 1)
        return nullptr;
    const Command* c = commands_[static_cast<std::size_t>(r)];
    // An empty place past the last key adds one.
    *slot = std::min<int>(column - 1, static_cast<int>(program_.keys.keysOf(*c).size()));
    return c;
}

void KeyDialog::capture() {
    int slot = 0;
    const Command* c = selectedCommand(&slot);
    if (c == nullptr) {
        say(tr("Erst den Platz einer Taste wählen."), true);
        return;
    }
    capturing_ = true;
    // The match keys are this dialog's now: the key router lets them through.
    setProperty(KeyRouter::kTakesKeys, true);
    grabKeyboard();
    say(tr("Neue Taste für \"%1\" drücken … (Esc bricht ab)").arg(c->said()), false);
}

bool KeyDialog::event(QEvent* event) {
    if (capturing_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier)
            endCapture(tr("Abgebrochen: die alte Taste bleibt."));
        else if (!modifierOnly(key->key()) && !key->isAutoRepeat())
            take(keyName(key));
        return true;
    }
    if (capturing_ &&
        (event->type() == QEvent::KeyRelease || event->type() == QEvent::ShortcutOverride))
        return true;
    return QDialog::event(event);
}

// A combination that the window system takes never arrives; it takes the keyboard away
// instead (Alt+Tab, the Windows key).
void KeyDialog::changeEvent(QEvent* event) {
    if (capturing_ && event->type() == QEvent::ActivationChange && !isActiveWindow())
        endCapture(tr("Diese Tastenkombination nimmt sich das Fenstersystem: die alte "
                      "Taste bleibt."));
    QDialog::changeEvent(event);
}

void KeyDialog::take(const QString& key) {
    int slot = 0;
    const Command* c = selectedCommand(&slot);
    const std::optional<QString> refused = program_.keys.set(*c, slot, key);
    capturing_ = false;
    releaseKeyboard();
    setProperty(KeyRouter::kTakesKeys, false);
    if (refused) {
        say(*refused + tr(" Die alte Taste bleibt."), true);
        return;
    }
    program_.viewChanged();
    changed_();
    fill();
    say(QStringLiteral("\"%1\": %2").arg(c->said(), keyLabel(key)), false);
}

void KeyDialog::endCapture(const QString& why) {
    capturing_ = false;
    releaseKeyboard();
    setProperty(KeyRouter::kTakesKeys, false);
    say(why, true);
}

void KeyDialog::say(const QString& text, bool refusal) {
    note_->setText(text);
    QPalette p = palette();
    if (refusal)
        p.setColor(QPalette::WindowText, QColor(0xB0, 0, 0));
    note_->setPalette(p);
}

QString KeyDialog::said() const {
    return note_->text();
}

} // namespace ml::app
