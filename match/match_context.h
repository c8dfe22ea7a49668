#pragma once

// What the rooms of the match share: the form they work on, the time of day, the operator's
// dialogs, the sports' rules, and where the match's events and log lines go. Nothing else: each
// room that needs another one is given it by name.

#include "form/form.h"
#include "match/match_event.h"
#include "match/sport_rules.h"
#include "platform/platform.h"

#include <functional>

namespace ml {

struct TeamSide;

class MatchContext {
    Q_DECLARE_TR_FUNCTIONS(MatchContext)

  public:
    MatchContext(Form& f, const Clock& c, Dialogs& d) : form(f), clock(c), dialogs(d) {}

    const SportRules& rules() const { return catalog.find(form.Sport); }
    // Tells the match record of an event, of `side`'s team and penalty (or foul) `p`.
    void report(EventKind kind, const TeamSide* side = nullptr, const ListedPenalty* p = nullptr,
                const QString& note = {}) const;
    // A log line of the match at the clock and score of now: " +++ Spielzeit: 12:34 (3:2) …".
    void logAt(const QString& what) const;
    // Says `text` in the status line until the operator's next action.
    void note(const QString& text) const;

    Form& form;
    const Clock& clock;
    Dialogs& dialogs;
    SportCatalog catalog;
    // Receives each event of the match as it happens (for the match record).
    std::function<void(const MatchEvent&)> onEvent;
    // Writes a line to the event log (set by the program; the match alone writes none).
    std::function<void(const QString& text)> logLine;
};

} // namespace ml
