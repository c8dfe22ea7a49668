#pragma once

// The horn's rules: the automatic signals the tick calls for (end of the playing time, of a
// timeout, of a break), the operator's hand horn, the settings, and a sound output that fails
// or comes back.

#include "bookkeeping/event_log.h"
#include "form/form.h"
#include "platform/platform.h"

namespace ml {

class HornSignals {
    Q_DECLARE_TR_FUNCTIONS(HornSignals)

  public:
    HornSignals(Form& form, Horn& horn, EventLog& log);

    // The hand horn's button acts while held; a click is a short press.
    void bindHandlers();
    // Start-up: applies the settings and gets the sound output ready.
    void start();
    // After the tick's transmission: the signal the tick called for, if the horn is on.
    void afterOutput();
    // The hand horn: sounds from press to release while the horn is on.
    void hold(bool down);
    // The settings' "Test": one automatic signal, also while the horn is off.
    void test();
    // The settings changed: the volume and the hand horn's button follow them; a horn switched
    // on looks for its sound output.
    void applySettings();

  private:
    // The sound output failed (`reason`) or works again (empty).
    void outputChanged(const QString& reason);
    // The mark and the status line, while the horn is on.
    void showOutput();

    Form& form_;
    Horn& horn_;
    EventLog& log_;
    bool held_ = false;
    bool wasOn_ = true;
    QString reason_;
};

} // namespace ml
