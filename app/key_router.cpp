#include "app/key_router.h"

#include "core/keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace ml::app {

namespace {

bool isEditing(const QWidget* w) {
    if (const auto* line = qobject_cast<const QLineEdit*>(w))
        return !line->isReadOnly();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(w))
        return !text->isReadOnly();
    return false;
}

bool answersBox(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape;
}

// Popups (an open menu, a drop-down list, a completion) and tool tips keep their keys.
bool ours(const QWidget* window) {
    const Qt::WindowType type = window->windowType();
    return type != Qt::Popup && type != Qt::ToolTip &&
           !window->property(KeyRouter::kTakesKeys).toBool();
}

} // namespace

// With Num Lock off the keypad reports its second meanings (Home for 7 …); they count as the
// digits printed on the keys.
QString keyName(const QKeyEvent* e) {
    int key = e->key();
    if (e->modifiers() & Qt::KeypadModifier) {
        static const QHash<int, int> digits{
            {Qt::Key_Insert, Qt::Key_0},   {Qt::Key_End, Qt::Key_1},  {Qt::Key_Down, Qt::Key_2},
            {Qt::Key_PageDown, Qt::Key_3}, {Qt::Key_Left, Qt::Key_4}, {Qt::Key_Clear, Qt::Key_5},
            {Qt::Key_Right, Qt::Key_6},    {Qt::Key_Home, Qt::Key_7}, {Qt::Key_Up, Qt::Key_8},
            {Qt::Key_PageUp, Qt::Key_9}};
        key = digits.value(key, key);
    }
    return QKeySequence(QKeyCombination(e->modifiers(), Qt::Key(key)))
        .toString(QKeySequence::PortableText);
}

KeyRouter::KeyRouter(Program& program, Window window)
    : program_(program), window_(std::move(window)) {}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    const QWidget* box = QApplication::activeModalWidget();
    if (w == nullptr || !ours(w->window()))
        return false;
    if (event->type() == QEvent::KeyPress)
        return box != nullptr ? whileBoxWaits(static_cast<QKeyEvent*>(event), true)
                              : press(w, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::KeyRelease)
        return release(static_cast<QKeyEvent*>(event)) ||
               (box != nullptr && whileBoxWaits(static_cast<QKeyEvent*>(event), false));
    return false;
}

// A box that waits for its answer never takes a match key: Space or F5 meant for the clock must
// not confirm "Zeit zurücksetzen?" or close a report unread. Such a key does nothing then (a
// beep says so), except the horn's, which sounds: it changes nothing of the match. Enter, Esc
// and the mouse answer the box; Space still types into a box being edited (a file name).
bool KeyRouter::whileBoxWaits(QKeyEvent* event, bool down) {
    const QString name = keyName(event);
    const Command* key = program_.keys.commandOf(name);
    if (key == nullptr || answersBox(event) ||
        (typesInBox(name) && isEditing(QApplication::focusWidget())))
        return false;
    if (down && !event->isAutoRepeat()) {
        if (program_.controlOf(*key).onHold)
            window_.act([this, key] { program_.command(*key); });
        else
            QApplication::beep();
    }
    return true;
}

bool KeyRouter::press(QWidget* receiver, QKeyEvent* event) {
    QWidget* focus = QApplication::focusWidget();
    const bool editing = isEditing(focus);
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        if (!editing || focus->window() != window_.main)
            return false;
        window_.home->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    const QString name = keyName(event);
    const Command* key = program_.keys.commandOf(name);
    // A goal's "Nr." box waiting for numbers takes digits; any other match key (Space for the
    // clock) is its command, which leaves the goal with the numbers it has.
    const bool numberBox = program_.scorerSide() && focus != nullptr &&
                           (focus->objectName() == QLatin1String("playerL") ||
                            focus->objectName() == QLatin1String("playerR"));
    const bool digit = event->text().size() == 1 && event->text().front().isDigit();
    if (key != nullptr && typesInBox(name) && editing && (!numberBox || digit))
        return false;
    // Space belongs to the clock, so Enter is the key that presses a focused button, unless the
    // club has put a command on it (a clicker's Enter).
    if (key == nullptr && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        mods == Qt::NoModifier) {
        auto* button = qobject_cast<QAbstractButton*>(focus);
        if (button == nullptr || receiver != button)
            return false;
        if (!event->isAutoRepeat())
            button->click();
        return true;
    }
    if (key == nullptr)
        return false;
    // Holding a key down runs its command once.
    if (!event->isAutoRepeat())
        window_.act([this, key] { program_.command(*key); });
    return true;
}

// Letting go of the key of a control that acts while held ends it, wherever the focus and
// whatever box is up by then.
bool KeyRouter::release(QKeyEvent* event) {
    const Command* key = program_.keys.commandOf(keyName(event));
    if (key == nullptr || !program_.controlOf(*key).onHold)
        return false;
    if (!event->isAutoRepeat())
        window_.act([this, key] { program_.command(*key, false); });
    return true;
}

} // namespace ml::app
