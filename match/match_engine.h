#pragma once

// The match engine: its part of start-up, the count of the tick and the tenths step, the clock
// commands, timeouts and breaks, and penalties. It calls nothing above it: `Program` runs the
// display and the serial link after it.

#include "form/form.h"
#include "match/time_values.h"
#include "platform/platform.h"

#include <optional>

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
    // Writes the time still to serve of each running penalty from the clock as it shows.
    void advancePenalties();

  private:
    // Tick periods: once a second, ten times a second in the last minute of a count-down.
    static constexpr int kTickMs = 1000;
    static constexpr int kLastMinuteTickMs = 100;

    // Tells the operator which clock box (`D_Min` or `D_Sec`) holds no usable number.
    void refuseUnreadableClock(const QString& action);
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
    // The end of a count-down that is to stop there: the clock stands at 0:00.
    void stopAtZero();
    void stopped(qint64 valueMs);

    // The common start of a timeout or break: stops the clock and starts the count-down from
    // the length in `lengthBox`. False, after the error box, when the length is no number or
    // too large.
    bool startInterruption(TextBox& lengthBox);
    // One side's penalty with the side's button, length box and text box.
    struct PenaltySide {
        Button& button;
        TextBox& length;
        TextBox& text;
        Penalty& penalty;
        bool left;
    };
    PenaltySide leftPenalty();
    PenaltySide rightPenalty();
    void penaltyClick(const PenaltySide& side);
    QString penaltyText(const PenaltySide& side, double clock) const;

    Form& form_;
    const Clock& clock_;
    Dialogs& dialogs_;
};

} // namespace ml
