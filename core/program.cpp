#include "core/program.h"

#include <algorithm>

namespace ml {

Program::Program(Clock& clock, Dialogs& dialogs, Shell& shell, SerialDevice& device)
    : log(form, clock), serial(form, device, dialogs, log), match(form, clock, dialogs, log),
      modes(form, clock, dialogs, serial), composer(form, clock, dialogs, serial, log), score(form),
      messages(form, shell) {
    match.registerHandlers(handlers);
    serial.registerHandlers(handlers);
    modes.registerHandlers(handlers);
    score.registerHandlers(handlers);
    messages.registerHandlers(handlers);
    match.setHooks({
        [this] { modes.br_low_Click(); },
        [this] { serial.check_comPorts_Click(); },
        [this] { modes.previewStep(); },
        [this](const QString& arg) { return composer.checkAndOut(arg); },
    });
}

void Program::start() {
    match.Form_Load();
}

bool Program::tick() {
    if (busy_)
        return false;
    busy_ = true;
    match.Timer2_Timer();
    busy_ = false;
    return true;
}

bool Program::boundary(bool wholeSecond) {
    if (busy_)
        return false;
    busy_ = true;
    const bool tickDue = form.Timer2.dueAt(wholeSecond);
    if (tickDue)
        match.tickCount();
    // The count may just have entered or left the last minute: the tenths timer is read now.
    if (form.Timer3.dueAt(wholeSecond))
        match.Timer3_Timer();
    if (tickDue)
        match.tickOutput();
    busy_ = false;
    return true;
}

bool Program::tenths() {
    if (busy_)
        return false;
    busy_ = true;
    match.Timer3_Timer();
    busy_ = false;
    return true;
}

// A plain name finds the main window's control first: both windows have an `Image1`.
Control* Program::find(const QString& name) {
    static const QString kMessagePrefix = QStringLiteral("frmMessage.");
    const bool message = name.startsWith(kMessagePrefix);
    if (Control* c = message ? nullptr : form.control(name))
        return c;
    const QString own = message ? name.mid(kMessagePrefix.size()) : name;
    for (Control* c : form.frmMessage.controls())
        if (c->name == own)
            return c;
    return nullptr;
}

// What the operator cannot see or use, the operator cannot click, type into or choose from; the
// message window's controls only exist while the window does.
bool Program::reachable(Control& c) {
    if (!c.visible || !c.enabled)
        return false;
    const std::vector<Control*> message = form.frmMessage.controls();
    return form.frmMessage.exists || std::find(message.begin(), message.end(), &c) == message.end();
}

bool Program::click(const QString& name, int index) {
    Control* c = find(name);
    if (c == nullptr)
        return false;
    if (auto it = handlers.indexed.find(c->name); it != handlers.indexed.end()) {
        if (index < 1 || index > 16)
            return false;
        if (reachable(*c))
            it.value()(index);
        return true;
    }
    if (!reachable(*c))
        return true;
    if (auto it = handlers.click.find(c->name); it != handlers.click.end()) {
        it.value()();
        return true;
    }
    if (auto* box = dynamic_cast<CheckBox*>(c)) {
        box->click();
        return true;
    }
    return false;
}

bool Program::type(const QString& name, const QString& text) {
    auto* box = dynamic_cast<TextBox*>(find(name));
    if (box == nullptr)
        return false;
    if (reachable(*box))
        box->text = text;
    return true;
}

bool Program::select(const QString& name, const QString& entry) {
    auto* combo = dynamic_cast<ComboBox*>(find(name));
    if (combo == nullptr)
        return false;
    const qsizetype i = combo->items.indexOf(entry);
    if (i < 0)
        return false;
    if (reachable(*combo))
        combo->index = static_cast<int>(i);
    return true;
}

bool Program::focus(const QString& name) {
    Control* c = find(name);
    if (c == nullptr)
        return false;
    if (!reachable(*c))
        return true;
    if (auto it = handlers.gotFocus.find(c->name); it != handlers.gotFocus.end())
        it.value()();
    return true;
}

} // namespace ml
