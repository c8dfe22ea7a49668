#pragma once

// The match: the owner of its rooms, which it wires to one another and to the form's controls.
// The rooms are the clock's count and its commands, the interruptions (timeouts and breaks), the
// penalties and, under a sport's rules, their lists, the periods, the team timeouts, the
// fouls and the cards. The program calls the match here; it calls nothing above it.

#include "match/cards.h"
#include "match/clock_commands.h"
#include "match/clock_count.h"
#include "match/fouls.h"
#include "match/interruptions.h"
#include "match/match_context.h"
#include "match/penalties.h"
#include "match/penalty_lists.h"
#include "match/periods.h"
#include "match/team_timeouts.h"

#include <QCoreApplication>
#include <QStringList>

#include <optional>
#include <vector>

namespace ml {

class MatchEngine {
    Q_DECLARE_TR_FUNCTIONS(MatchEngine)

  public:
    MatchEngine(Form& form, const Clock& clock, Dialogs& dialogs);
    // Each control of the match gets the handler of the room that owns its action.
    void bindHandlers();

    // The match's part of start-up: clock direction, no clock, interruption or penalty running.
    void start();
    // The match's part of a tick: the banner, the time of day and the running count.
    void count();
    // The running count alone: what it shows now. Runs whenever that changes.
    void countStep();
    QString showTimeOfDay() { return count_.showTimeOfDay(); }
    void tenths() { count_.tenths(); }
    std::optional<qint64> msToNextChange() const { return count_.msToNextChange(); }
    std::optional<double> runningCount() const { return count_.runningCount(); }
    void resumeCount(double seconds) { count_.resumeCount(seconds); }
    bool countsUp() const { return count_.countsUp(); }
    void ResetTime() { commands_.ResetTime(); }
    void St_St_Click() { commands_.St_St_Click(); }
    void endInterruption(Interruption which) { interruptions_.endInterruption(which); }
    void interruptFor(bool timeout) { interruptions_.interruptFor(timeout); }
    void switchBanner(bool advance = true) { interruptions_.switchBanner(advance); }
    void advancePenalties() { penalties_.advancePenalties(); }
    void goalScored(bool left) { lists_.goalScored(left); }
    void settlePenalties() { lists_.settlePenalties(); }
    std::vector<PenaltyView> penaltyViews(bool left) { return lists_.penaltyViews(left); }

    SportCatalog& catalog() { return context_.catalog; }
    const SportRules& rules() const { return context_.rules(); }
    // The period under way as the window names it ("2. Halbzeit"), or "Spielende".
    QString periodTitle() const { return periods_.title(); }
    // During a break between periods, the period it leads to; empty otherwise.
    QString nextPeriodTitle() const;
    // Why the click on `control` would ask the timekeeper first now (a team timeout the rules do
    // not allow, the end of a period under way), as a remote is told; empty when it would not.
    QString askedFirst(const Control& control) const;
    // The lengths a side's penalty box takes under the rules, as they are typed ("2", "2+2").
    QStringList penaltyLengths() const;
    bool chooseSport(const QString& id) { return periods_.chooseSport(id); }
    void newMatch() { periods_.newMatch(); }
    void showSport() { periods_.showSport(); }
    void showPeriodName() { periods_.showPeriodName(); }

    Penalties& penalties() { return penalties_; }
    // The match time run since the first period's start, in milliseconds, counting through the
    // periods, at the match clock's `clockMs` (its value now when none is given). Without a
    // sport's periods a count-down starts from the start value, a count-up from 0:00.
    qint64 elapsedMs(std::optional<qint64> clockMs = std::nullopt) const;

  private:
    MatchContext context_;
    ClockCount count_;
    ClockCommands commands_;
    Interruptions interruptions_;
    Penalties penalties_;
    PenaltyLists lists_;
    Fouls fouls_;
    Cards cards_;
    TeamTimeouts timeouts_;
    Periods periods_;

  public:
    // Receive each event of the match as it happens (for the match record), and write a line to
    // the event log (set by the program; the match alone writes none).
    std::function<void(const MatchEvent&)>& onEvent = context_.onEvent;
    std::function<void(const QString& text)>& logLine = context_.logLine;
};

} // namespace ml
