#pragma once

// The window's controls as plain values. Subsystems read and write these; the Qt view copies
// them into widgets after every handler and tick. No control knows about Qt Widgets. A control
// the operator can click carries its handler itself: the subsystem that owns the action sets
// `onClick` on the control, so the compiler checks the name.

#include <QString>
#include <QStringList>

#include <functional>

namespace ml {

enum class Kind { TextBox, Label, Button, CheckBox, ComboBox, ListBox, Image, MenuItem };

struct Control {
    Control(Kind k, const char* n) : kind(k), name(QString::fromLatin1(n)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const Kind kind;
    const QString name;
    bool visible = true;
    bool enabled = true;
    // What the operator's click runs; empty on a control that cannot be clicked. A check box
    // runs it whenever its value changes.
    std::function<void()> onClick;
    // What pressing (true) and letting go (false) run on a control that acts while held (the
    // hand horn); empty on every other control.
    std::function<void(bool down)> onHold;
};

// Text box, label or button: `text` is the box's text or the caption.
struct TextControl : Control {
    TextControl(Kind k, const char* n, QString first) : Control(k, n), text(std::move(first)) {}
    QString text;
};

struct TextBox : TextControl {
    TextBox(const char* n, QString first = {}) : TextControl(Kind::TextBox, n, std::move(first)) {}
    // The operator's selection: start and length in characters.
    int selStart = 0;
    int selLength = 0;
    // Text colour as 0xRRGGBB; the preview boxes switch between red and pale red.
    unsigned foreColor = 0xFF0000;
    // What runs when the keyboard focus enters the box, and when the operator's typing changes
    // its text; mostly empty.
    std::function<void()> onFocus;
    std::function<void()> onChange;
};

struct Label : TextControl {
    Label(const char* n, QString first = {}) : TextControl(Kind::Label, n, std::move(first)) {}
};

struct Button : TextControl {
    Button(const char* n, QString first = {}) : TextControl(Kind::Button, n, std::move(first)) {}
};

struct Image : Control {
    explicit Image(const char* n) : Control(Kind::Image, n) {}
};

// A check box whose value, written from code or by the operator's click, runs its click handler
// at once when it changes; writing the value it already has runs nothing.
struct CheckBox : TextControl {
    CheckBox(const char* n, QString caption) : TextControl(Kind::CheckBox, n, std::move(caption)) {}

    int value() const { return value_; }
    bool ticked() const { return value_ != 0; }
    void setValue(int v) {
        v = v ? 1 : 0;
        if (v == value_)
            return;
        value_ = v;
        if (onClick)
            onClick();
    }
    // The operator's click toggles the value.
    void click() { setValue(1 - value_); }
    // Sets the value without running the handler: only for the form's first state.
    void initValue(int v) { value_ = v ? 1 : 0; }

  private:
    int value_ = 0;
};

struct ComboBox : Control {
    explicit ComboBox(const char* n, Kind k = Kind::ComboBox) : Control(k, n) {}
    QStringList items;
    // Device path (or other note) shown to the operator beside each entry.
    QStringList notes;
    int index = -1;

    QString currentText() const {
        return index >= 0 && index < items.size() ? items[index] : QString();
    }
    void clear() {
        items.clear();
        notes.clear();
        index = -1;
    }
    void addItem(const QString& item, const QString& note = {}) {
        items.append(item);
        notes.append(note);
    }
};

// A list whose entries all stand in view; the operator chooses one of them.
struct ListBox : ComboBox {
    explicit ListBox(const char* n) : ComboBox(n, Kind::ListBox) {}
};

struct MenuItem : TextControl {
    MenuItem(const char* n, QString caption, bool isChecked = false)
        : TextControl(Kind::MenuItem, n, std::move(caption)), checked(isChecked) {}
    bool checked;
};

// A timer of the window as the match sets it: its period and whether it runs. The banner steps
// by the tick's period; the window itself wakes when the program asks (`Program::msToNextWake`).
struct Timer {
    explicit Timer(const char* n, int ms, bool on)
        : name(QString::fromLatin1(n)), interval(ms), enabled(on) {}
    const QString name;
    int interval;
    bool enabled;
};

} // namespace ml
