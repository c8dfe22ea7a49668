#pragma once

// The whole program without its window: the form, every subsystem wired to it and to the
// platform, and the operator's actions by control name. The Qt window and the replay tool both
// drive it.

#include "console/event_log.h"
#include "console/message_window.h"
#include "console/score_keeping.h"
#include "display/composer.h"
#include "display/display_modes.h"
#include "form/form.h"
#include "form/handlers.h"
#include "match/match_engine.h"
#include "platform/platform.h"
#include "serial/serial_link.h"

namespace ml {

class Program {
  public:
    Program(Clock& clock, Dialogs& dialogs, Shell& shell, SerialDevice& device);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Start-up (`Form_Load`).
    void start();
    // The match tick and the tenths step. Neither runs while the other, or a tick, waits in a
    // message box: such a call is skipped and returns false.
    bool tick();
    bool tenths();
    // What falls due at one boundary of the time of day (a whole second, or only a tenth; see
    // `Timer::dueAt`). When both are due, the tenths step runs inside the tick, after the count and
    // before the output, so the transmission at a boundary carries that moment's second and tenth.
    // Skipped (false) like `tick` while a tick waits in a message box.
    bool boundary(bool wholeSecond);

    // The operator's click on a button, menu item or check box (which toggles); `index` for a
    // menu item array. False when nothing by that name can be clicked. Like the operator's own
    // actions below, a click on a hidden or disabled control does nothing.
    bool click(const QString& name, int index = 0);
    // The operator's typing: the text box's text becomes `text`. False for no such text box.
    bool type(const QString& name, const QString& text);
    // The operator's choice of a combo box entry. False when there is no such entry.
    bool select(const QString& name, const QString& entry);
    // The keyboard focus enters the control.
    bool focus(const QString& name);

    Form form;
    Handlers handlers;
    EventLog log;
    SerialLink serial;
    MatchEngine match;
    DisplayModes modes;
    Composer composer;
    ScoreKeeping score;
    MessageWindowModel messages;

    // A control of the main window or of the message window, by name; "frmMessage.NAME" always
    // the message window's.
    Control* find(const QString& name);

  private:
    bool reachable(Control& c);

    bool busy_ = false;
};

} // namespace ml
