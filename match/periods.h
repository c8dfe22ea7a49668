#pragma once

// The match under a sport's rules: the choice of the sport, its periods with the breaks between
// them (on a clock counting down, or counting up through the playing time of the match), the end
// of the match, and the band of the window that shows it all. "Frei" has no periods.

#include "match/match_context.h"

namespace ml {

class ClockCommands;
class ClockCount;
class Fouls;
class Interruptions;
class PenaltyLists;
class TeamTimeouts;

class Periods {
    Q_DECLARE_TR_FUNCTIONS(Periods)

  public:
    Periods(MatchContext& context, ClockCount& count, ClockCommands& commands,
            Interruptions& interruptions, PenaltyLists& lists, Fouls& fouls,
            TeamTimeouts& timeouts);

    // Chooses the sport `id` as "Extras → Sportart…" does: asks first while a match is under way,
    // keeps the scores and names, and sets the clock to the first period's start value. False
    // when there is no such sport or the operator says no.
    bool chooseSport(const QString& id);
    // A fresh match: the first period of the sport (none without periods) and the clock at its
    // start value.
    void newMatch();
    // The window shows the sport's state: its band, captions, lists, and each side's penalty as
    // the display shows it.
    void showSport();
    // The period under way as the operator reads it ("2. Halbzeit"), "Spielende" after the match.
    QString title() const;
    // What the next step of the period asks the timekeeper first ("1. Halbzeit jetzt beenden?",
    // "Verlängerung spielen?"); empty when it asks nothing.
    QString nextQuestion() const;
    // The band's period; during a timeout or break with the match clock where it stands, since
    // the clock's boxes and the display line count the interruption meanwhile.
    void showPeriodName();
    // From a period's end to its break, from the break to the next period; a period not yet over
    // is ended first, when the operator says so.
    void nextPeriod_Click();
    // The period's time has run (or the timekeeper ended it).
    void endPeriod();
    void beginNextPeriod();
    // A break after a period that has ended in any way leads to the next period.
    void followBreak();
    // A typed start value at the start of the match sets the length of its regular periods.
    void choosePeriodLength();
    // The clock changes its direction under a sport's rules: it shows the same playing time.
    void turnClock(bool up);
    // The playing time of the match in milliseconds (from its start, across the periods) at the
    // match clock value `clockMs` of the period under way.
    qint64 matchMs(qint64 clockMs) const;
    // The length of period `n` in seconds for this match: a regular one as its start value set
    // it, else the sport's.
    int periodLength(int n) const;
    // Where the clock stands at the start of the period under way, and where it ends it.
    qint64 periodBeginMs() const;
    qint64 periodEndMs() const;

  private:
    void startBreak();
    QString nextCaption() const;
    // The period under way ends the regular time or an overtime.
    bool lastOfBlock() const;
    // Another overtime is to be played: the rules allow one more and the score is level.
    bool overtimeDue() const;
    // The match is over ("Spielende").
    void endMatch();
    // The start of period `n` on a clock that counts up: the playing time before it, in seconds.
    int periodStart(int n) const;
    // The break box shows the sport's break after the period under way.
    void showBreakLength();
    // A match is under way: something has happened since the sport was chosen.
    bool underWay() const;
    const SportRules& rules() const { return context_.rules(); }

    MatchContext& context_;
    Form& form_;
    ClockCount& count_;
    ClockCommands& commands_;
    Interruptions& interruptions_;
    PenaltyLists& lists_;
    Fouls& fouls_;
    TeamTimeouts& timeouts_;
};

} // namespace ml
