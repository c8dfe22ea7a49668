#pragma once

// Keeps the state of the match under way after every change, so that a crashed run can be
// resumed, and asks at start-up whether to resume it. Decides what is stored and when; the
// storage only keeps it. Says the disk's faults (the state's, the settings', the record's).

#include "bookkeeping/event_log.h"
#include "core/match_record.h"
#include "core/match_state.h"
#include "core/record_writer.h"
#include "form/form.h"
#include "match/match_engine.h"
#include "platform/platform.h"
#include "platform/storage.h"
#include "serial/serial_link.h"

#include <functional>

namespace ml {

class StateStore {
    Q_DECLARE_TR_FUNCTIONS(StateStore)

  public:
    StateStore(Form& form, const Clock& clock, Dialogs& dialogs, Storage& storage, EventLog& log,
               MatchEngine& match, SerialLink& serial, MatchRecord& events, RecordWriter& writer);

    // Start-up, after the form's own and the settings: the question whether to resume a match
    // that did not end, then the match record.
    void start();
    // After each step: keeps the state when the step changed what it holds. A tick that only
    // moved the running count on writes nothing: the state keeps the count as its value and
    // the time of the save. While the disk refuses the state, it is tried again once a second.
    void afterStep(const Changes& changes, bool tick);
    // "Ende": the match is over; the state says so and is not written again.
    void end();

    // Shows the form as start-up has left it, behind the question whether to resume; set by
    // the window.
    std::function<void()> showForm;

    // The disk's faults in the status line while they stand; each is logged when it begins and
    // when it is gone. Never a message box: the tick that notices one goes on.
    void sayFaults();

  private:
    bool resume(const MatchState& state);
    // Whether the step changed what the state holds. A tick that only moved the running count
    // on changed nothing: the state keeps the count as its value at the save.
    bool changed(const Changes& changes, bool tick) const;
    // Writes the state (once the match has ended, only with `force`).
    void store(bool force = false);
    // The state as it is now counts as written.
    void remember();
    void message(const QString& text);

    Form& form_;
    const Clock& clock_;
    Dialogs& dialogs_;
    Storage& storage_;
    EventLog& log_;
    MatchEngine& match_;
    SerialLink& serial_;
    MatchRecord& events_;
    RecordWriter& writer_;

    bool claimed_ = false;
    bool ended_ = false;
    qint64 lastTryMs_ = 0;
    // What the last write held of the controls and of the record.
    QHash<const Control*, KeptControl> written_;
    std::size_t writtenRecord_ = 0;
    QString writtenPort_;
};

} // namespace ml
