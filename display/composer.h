#pragma once

// The output composer: builds the display content from the match state on every tick, writes it
// to the open port when it changed, and hands it to the event log.

#include "console/event_log.h"
#include "form/form.h"
#include "platform/platform.h"
#include "serial/serial_link.h"

namespace ml {

class Composer {
  public:
    Composer(Form& form, const Clock& clock, Dialogs& dialogs, SerialLink& link, EventLog& log);
    // The argument is not used; returns an empty text (the tick puts it into `Text5`).
    QString checkAndOut(const QString& unused);

  private:
    // `TrimText` with this composer's dialogs.
    QString fit(const QString& text, const char* align, int width);

    Form& form_;
    const Clock& clock_;
    Dialogs& dialogs_;
    SerialLink& link_;
    EventLog& log_;
};

} // namespace ml
