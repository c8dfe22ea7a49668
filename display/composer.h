#pragma once

// The output composer: builds the display content from the match state on every tick, writes it
// to the open port when it changed, and hands it to the event log.

#include "bookkeeping/event_log.h"
#include "form/form.h"
#include "form/transmission.h"
#include "platform/platform.h"
#include "serial/serial_link.h"

#include <functional>

namespace ml {

class Composer {
    Q_DECLARE_TR_FUNCTIONS(Composer)

  public:
    Composer(Form& form, const Clock& clock, Dialogs& dialogs, SerialLink& link, EventLog& log);
    // The tick's output: separators, the scoreboard's fields, the free-text or program frames
    // over them, then the send.
    void checkAndOut();

    // While no port is open, gets on every tick what an open port would be sent: the display
    // monitor shows it for rehearsing without the hardware. The same for the second line.
    std::function<void(const QString& transmission)> rehearse;
    std::function<void(const QString& transmission)> rehearseSecond;

  private:
    // The separators beside the minutes blink while a stopped clock is away from its start.
    void setSeparators();
    // What a line shows, its sides swapped or not; blank fields while it is off.
    Transmission compose(bool shown, bool mirrored, bool& special);
    // The four fields of the scoreboard.
    std::array<QString, 4> scoreboardFields(bool mirrored);
    // The brightness of this transmission, the menu's or, while it blinks, the alternate one.
    int blink(const QString& field3);
    // The free texts or the display's program instead of the scoreboard, when chosen (true);
    // leaves `out` alone otherwise.
    bool specialOutput(Transmission& out, int brightness);
    // The second line's transmission, in the same step as the first's.
    void sendSecond();
    // Writes a changed transmission to the open port and logs it; with the port closed, warns
    // once and logs a pending event.
    void send(const Transmission& out);
    // `TrimText` with this composer's dialogs.
    QString fit(const QString& text, const char* align, int width);

    Form& form_;
    const Clock& clock_;
    Dialogs& dialogs_;
    SerialLink& link_;
    EventLog& log_;
    // The clock's texts at the last alternation of the blink.
    QString blinkedAt_;
};

} // namespace ml
