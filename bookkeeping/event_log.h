#pragma once

// The event log in the hidden box `Text1`: newest line first, each line the time of day, a text
// beginning with " +++", CR LF. Every writer goes through `addLine`.

#include "form/form.h"
#include "form/transmission.h"
#include "platform/platform.h"

#include <functional>

namespace ml {

class EventLog {
    Q_DECLARE_TR_FUNCTIONS(EventLog)

  public:
    EventLog(Form& form, const Clock& clock) : form_(form), clock_(clock) {}

    // Puts time of day + text + CR LF in front of the log.
    void addLine(const QString& text);
    // The start line that replaces the whole log at start-up, followed by an empty line.
    void start();
    // Score summary and match event lines from a composed transmission; keeps the log short.
    void LogEvent(const Transmission& out);

    // Receives every line as it is written (time of day and text), for the match record.
    std::function<void(const QString& line)> onLine;

  private:
    Form& form_;
    const Clock& clock_;
};

} // namespace ml
