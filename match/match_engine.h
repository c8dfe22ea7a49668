#pragma once

// The match engine: its part of start-up, the count of the tick and the tenths step, the clock
// commands, timeouts and breaks, and penalties. It calls nothing above it: `Program` runs the
// display and the serial link after it.

#include "form/form.h"
#include "match/match_event.h"
#include "match/sport_rules.h"
#include "match/time_values.h"
#include "platform/platform.h"

#include <functional>
#include <optional>
#include <vector>

namespace ml {

// Which interruption `endInterruption` ends.
enum class Interruption { Timeout, Break, Both };

class MatchEngine {
    Q_DECLARE_TR_FUNCTIONS(MatchEngine)

  public:
    MatchEngine(Form& form, const Clock& clock, Dialogs& dialogs);
    void bindHandlers();

    // The match's part of start-up: clock direction, no clock, interruption or penalty running.
    void start();
    // The match's part of a tick: the banner, the time of day and the running count.
    void count();
    // Writes the time of day where the window and the display show it; gives it.
    QString showTimeOfDay();
    // The running count alone: what it shows now. Runs whenever that changes.
    void countStep();
    // The tenths of the last minute, stepped ten times a second while the clock runs in it.
    void tenths();
    // Milliseconds until what the running count shows changes: 0 when it has changed since the
    // last step, nothing when no count runs.
    std::optional<qint64> msToNextChange() const;
    void ResetTime();
    // Ends a timeout, a break or both: the button shows its start caption again and the second
    // clock hides. Every end of an interruption (its button, its count-down, a display mode that
    // hides the count, the start of the clock) goes through here.
    void endInterruption(Interruption which);

    // The value now of the running count (the match clock, or a timeout or break count-down),
    // in seconds to the millisecond; nothing when no count runs.
    std::optional<double> runningCount() const;
    // Lets the running count go on from `seconds` now, as after a restart of the program.
    void resumeCount(double seconds);
    // The running count is the match clock counting up (a timeout or break always counts down).
    bool countsUp() const;

    void St_St_Click();
    // The operator typed into `D_Min` or `D_Sec`.
    void clockTyped();
    void Reset_Time_Click();
    void reset_Click();
    void s_change_Click();
    void Mode_up_Click();
    void Mode_down_Click();

    void Time_Out_Click();
    void Break_Click();
    // Moves the banner on by one tick (`advance`), and shows or hides it as the match stands.
    void switchBanner(bool advance = true);

    void StrafeL_Click();
    void StrafeR_Click();
    QString Strafe(int minutes, int seconds, int endMin, int endSec) const;
    // Writes the time still to serve of each running penalty from the clock as it shows; under a
    // sport's rules a served penalty ends and the next waiting one starts.
    void advancePenalties();

    // --- a sport's rules ---
    SportCatalog& catalog() { return catalog_; }
    // The period under way as the window names it ("2. Halbzeit"), or "Spielende".
    QString periodTitle() const { return form_.periodName.text; }
    const SportRules& rules() const { return catalog_.find(form_.Sport); }
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
    // From a period's end to its break, from the break to the next period; a period not yet over
    // is ended first, when the operator says so.
    void nextPeriod_Click();
    // A team's timeout; one that the rules do not allow asks first.
    void teamTimeoutL_Click();
    void teamTimeoutR_Click();
    // The chosen penalty of a side's list ends before its time, or leaves the list.
    void penaltyEndL_Click();
    void penaltyEndR_Click();
    void penaltyRemoveL_Click();
    void penaltyRemoveR_Click();
    // After a step taken back or done again: no more of a side's penalties run than the rules
    // allow, and none waits while a place is free.
    void settlePenalties();
    // A penalty of a side's list as the window lists it: its player's number (0: none), its time
    // to serve in whole seconds as it shows (a waiting one's whole length), and whether it
    // cancels for strength with one of the other side.
    struct PenaltyView {
        int number;
        long long toServe;
        bool running;
        bool coincident;
    };
    std::vector<PenaltyView> penaltyViews(bool left);
    // Starts a team's timeout of the rules' length, or the break after the period under way,
    // without counting it: a step taken back comes again.
    void interruptFor(bool timeout);
    // A goal of the left (or right) team: the rules may end a penalty of the other one.
    void goalScored(bool left);
    // A team foul of the left (or right) team, of the player whose number stands in the side's
    // "Nr." box (where the rules count a player's fouls).
    void foulL_Click();
    void foulR_Click();
    // The playing time of the match in milliseconds (from its start, across the periods) at the
    // match clock value `clockMs` of the period under way.
    qint64 matchMs(qint64 clockMs) const;
    // The length of period `n` in seconds for this match: a regular one as its start value set
    // it, else the sport's.
    int periodLength(int n) const;
    // Receives each event of the match as it happens (for the match record).
    std::function<void(const MatchEvent&)> onEvent;
    // Writes a line to the event log (set by the program; the engine alone writes none).
    std::function<void(const QString& text)> logLine;

  private:
    // Tick periods: once a second, ten times a second in the last minute of a count-down.
    static constexpr int kTickMs = 1000;
    static constexpr int kLastMinuteTickMs = 100;

    // Tells the operator which clock box (`D_Min` or `D_Sec`) holds no usable number.
    void refuseUnreadableClock(const QString& action);
    void refusePenaltyOverflow();
    qint64 startValueMs(double typedSeconds) const;
    void showSecondClock(bool shown);
    bool counting() const;
    CountKind runningKind() const;
    // The running count's exact value now, in milliseconds.
    qint64 valueNow() const;
    // The count's branches: the running match clock, and a timeout or break count-down.
    void runningClockStep();
    void showClock(qint64 shown, CountKind kind);
    void interruptionStep();
    // The interruption's count in the clock's place, as its step shows it at VALUE.
    void showInterruptionCount(qint64 value);
    // The end of a count-down that is to stop there: the clock stands at 0:00.
    void stopAtZero();
    void stopped(qint64 valueMs);

    // The common start of a timeout or break: stops the clock and starts the count-down from
    // the length in `lengthBox`. False, after the error box, when the length is no number or
    // too large.
    bool startInterruption(TextBox& lengthBox);
    // Starts a timeout (or a break) with the length in `lengthBox`, ending the other one.
    bool interrupt(TextBox& lengthBox, bool timeout);
    // One side's penalty with the side's button, length box and text box, and under a sport's
    // rules its list, the boxes of the list and the player's number, and its timeouts.
    struct PenaltySide {
        Button& button;
        TextBox& length;
        TextBox& text;
        Penalty& penalty;
        bool left;
        PenaltyList& list;
        TextBox& number;
        ListBox& box;
        TextBox& name;
        int& toMatch;
        int& toHalf;
        int& toLast;
        Button& timeout;
        Label& toShown;
        PlayerSheet& players;
        int& fouls;
        int& foulsMatch;
        Button& foul;
        Label& foulsShown;
    };
    PenaltySide leftPenalty();
    PenaltySide rightPenalty();
    PenaltySide side(bool left) { return left ? leftPenalty() : rightPenalty(); }
    void penaltyClick(const PenaltySide& side);
    QString penaltyText(const PenaltySide& side, double clock) const;
    void report(EventKind kind, const PenaltySide* side = nullptr, const ListedPenalty* p = nullptr,
                const QString& note = {});

    // Penalties under a sport's rules (penalty_list.cpp).
    void addPenalty(const PenaltySide& side);
    // A length as given: the seconds of one penalty and how many follow one another (2 for a
    // double minor).
    struct GivenLength {
        int seconds;
        int parts;
    };
    std::optional<GivenLength> penaltyLength(const PenaltySide& side);
    // Counts a penalty of player `number`; true when it disqualifies the player.
    bool notePenalty(const PenaltySide& side, int number, int parts, const PenaltyKind& kind);
    void markCoincident(const PenaltySide& side, const std::vector<int>& ids, qint64 now);
    void forgetPenalty(const PenaltySide& side, const ListedPenalty& p, qint64 now);
    // The match clock now in milliseconds: its exact value, or the whole seconds the operator
    // typed; as it last stood while the operator has left its boxes unreadable.
    qint64 clockMs() const;
    // Time still to serve of a running penalty at the clock value `clockMs` (0 or below when
    // served).
    qint64 toServe(const ListedPenalty& p, qint64 clockMs) const;
    // Starts `p` so that it is served `p.lengthSec` after the clock value `fromMs`.
    void startPenalty(ListedPenalty& p, qint64 fromMs) const;
    // Serves what the clock has passed and lets waiting penalties follow, at `clock`.
    void servePenalties(const PenaltySide& side, qint64 clock);
    // Starts the waiting penalties that may run now, from the clock value `from`, the player's
    // next one of `gone` (a penalty that has just left the list) first; with `announce` each is
    // logged and reported as one that waited.
    void startWaiting(const PenaltySide& side, qint64 from, bool announce,
                      const ListedPenalty* gone = nullptr);
    void settle(const PenaltySide& side, qint64 now);
    // The chosen entry of a side's list ends (`served` false: by the timekeeper) or goes.
    void endChosen(const PenaltySide& side, bool remove);
    void showPenalties(const PenaltySide& side, qint64 clock);
    std::vector<PenaltyView> views(const PenaltySide& side, qint64 clock) const;
    // Running penalties keep what they have still to serve when the clock is set anew.
    void carryPenalties(qint64 from, qint64 to);

    // Team and player fouls under a sport's rules that count them (fouls.cpp).
    void foul(const PenaltySide& side);
    void showFouls(const PenaltySide& side);
    static QString foulCount(int n);

    // Periods and timeouts under a sport's rules (sport_match.cpp).
    void teamTimeout(const PenaltySide& side);
    // Why the rules do not allow a timeout of `side` now; empty when they do.
    QString timeoutRefusal(const PenaltySide& side) const;
    bool inLastMinutes() const;
    // The period's time has run (or the timekeeper ended it).
    void endPeriod();
    void startBreak();
    void beginNextPeriod();
    // A break after a period that has ended in any way leads to the next period.
    void followBreak();
    QString nextCaption() const;
    // The period under way ends the regular time or an overtime.
    bool lastOfBlock() const;
    // Another overtime is to be played: the rules allow one more and the score is level.
    bool overtimeDue() const;
    // The match is over ("Spielende").
    void endMatch();
    // The start of period `n` on a clock that counts up: the playing time before it, in seconds.
    int periodStart(int n) const;
    // Where the clock stands at the start of the period under way, and where it ends it.
    qint64 periodBeginMs() const;
    qint64 periodEndMs() const;
    // A typed start value at the start of the match sets the length of its regular periods.
    void choosePeriodLength();
    // The clock changes its direction under a sport's rules: it shows the same playing time.
    void turnClock(bool up);
    // Says `text` in the status line until the operator's next action.
    void note(const QString& text);
    // The break box shows the sport's break after the period under way.
    void showBreakLength();
    // Sets the check marks of the count direction.
    void setDirection(bool up);
    // The match clock stands (or runs on) at `ms`, as if the operator had set it there.
    void setClockMs(qint64 ms);
    // A log line of the match at the clock and score of now: " +++ Spielzeit: 12:34 (3:2) …".
    void logAt(const QString& what);
    // A match is under way: something has happened since the sport was chosen.
    bool underWay() const;

    SportCatalog catalog_;

    Form& form_;
    const Clock& clock_;
    Dialogs& dialogs_;
};

} // namespace ml
