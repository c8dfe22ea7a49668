#pragma once

// The running count: the match clock, or a timeout or break count-down, measured to the
// millisecond from its anchor. Its step at each new second (or tenth) writes what it shows; the
// match clock stops itself at 0:00 or at the end of the display's places. Everything else reads
// the clock through here.

#include "match/match_context.h"
#include "match/time_values.h"

#include <optional>

namespace ml {

class Periods;
class Penalties;

class ClockCount {
    Q_DECLARE_TR_FUNCTIONS(ClockCount)

  public:
    // Tick periods: once a second, ten times a second in the last minute of a count-down.
    static constexpr int kTickMs = 1000;
    static constexpr int kLastMinuteTickMs = 100;

    ClockCount(MatchContext& context, Periods& periods, Penalties& penalties);

    // Writes the time of day where the window and the display show it; gives it.
    QString showTimeOfDay();
    // The running match clock's step: what it shows now, its end, the last minute.
    void step();
    // The tenths of the last minute, stepped ten times a second while the clock runs in it.
    void tenths();
    // Milliseconds until what the running count shows changes: 0 when it has changed since the
    // last step, nothing when no count runs.
    std::optional<qint64> msToNextChange() const;
    // The value now of the running count, in seconds to the millisecond; nothing when no count
    // runs.
    std::optional<double> runningCount() const;
    // Lets the running count go on from `seconds` now, as after a restart of the program.
    void resumeCount(double seconds);
    // The running count is the match clock counting up (a timeout or break always counts down).
    bool countsUp() const { return runningKind() == CountKind::ClockUp; }
    bool counting() const;
    CountKind runningKind() const;
    // The running count's exact value now, in milliseconds.
    qint64 valueNow() const;
    // The match clock now in milliseconds: its exact value, or the whole seconds the operator
    // typed; as it last stood while the operator has left its boxes unreadable.
    qint64 clockMs() const;
    // Where the clock starts from the typed value `typedSeconds`.
    qint64 startValueMs(double typedSeconds) const;
    // The match clock stands (or runs on) at `ms`, as if the operator had set it there.
    void setClockMs(qint64 ms);
    // Sets the check marks of the count direction.
    void setDirection(bool up);
    void showSecondClock(bool shown);
    // Tells the operator which clock box (`D_Min` or `D_Sec`) holds no usable number.
    void refuseUnreadableClock(const QString& action);

  private:
    void showClock(qint64 shown, CountKind kind);
    // The end of a count-down that is to stop there: the clock stands at 0:00.
    void stopAtZero();
    void stopped(qint64 valueMs);
    const SportRules& rules() const { return context_.rules(); }

    MatchContext& context_;
    Form& form_;
    Periods& periods_;
    Penalties& penalties_;
};

} // namespace ml
