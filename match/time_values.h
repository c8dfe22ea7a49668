#pragma once

// Time values and their text forms: the time of day as seconds, the clock's minutes and seconds
// texts, and reading a clock back into seconds.

#include "form/form.h"
#include "platform/platform.h"

#include <QString>

#include <optional>

namespace ml {

// Seconds of the day for "hh:mm:ss" (characters after the eighth are ignored). A text that does
// not read shows the "Format kontrollieren" box and gives 0.
double Get_Sec(const QString& timeOfDay, Dialogs& dialogs);
// Says "Format kontrollieren" when the time of day cannot be read. The counts run on the
// monotonic clock; the time of day's value is not theirs, only the operator's warning is.
void checkTimeOfDay(const QString& timeOfDay, Dialogs& dialogs);

// The clock read back from its minutes and seconds texts: empty texts count as "0",
// |minutes| * 60 + seconds rounded down, negated when the minutes text begins with "-".
// Nothing when a text is not a number.
std::optional<double> readClock(const QString& minutes, const QString& seconds);

// The counts, in seconds, that a start value, a length, a typed clock or a stored value may
// give: the 16-bit range of the match fields (up to 32767 s, about 546 minutes), and below zero
// no further than the display's three places of minutes show (-99:59). Every such count is a
// whole number of seconds that the boxes and the wire show uncut.
inline constexpr double kMaxCountSeconds = 32767;
inline constexpr double kMinCountSeconds = -5999;
// What the display's three places of minutes show of a running clock: -99:59 to 999:59.
inline constexpr qint64 kLowestShownMs = -5999 * 1000LL;
inline constexpr qint64 kHighestShownMs = 59999 * 1000LL;
inline bool countInRange(double seconds) {
    return seconds >= kMinCountSeconds && seconds <= kMaxCountSeconds;
}

// `a` / `b` rounded toward minus infinity.
qint64 floorDiv(qint64 a, qint64 b);

// How a count shows its exact value: the match clock counting down (whole seconds, and in the
// last minute seconds and tenths), the match clock counting up, and a timeout or break.
enum class CountKind { ClockDown, ClockUp, Interruption };

// The value a count shows, in milliseconds, for its exact value in milliseconds. A count-down
// shows the upper end of the second (or tenth) it is in, so its first second lasts a whole
// second of running time and 0:00 (in the last minute 00.0) comes when the time has run out;
// below zero it shows the second it has begun (-0:01 from the first tenth below zero on). A
// count-up shows the seconds it has completed.
qint64 shownMs(qint64 valueMs, CountKind kind);
// A count-down match clock shows seconds and tenths: the last minute.
bool inLastMinute(qint64 shownValueMs, CountKind kind);
// Milliseconds of running time from `valueMs` until what the count shows changes (at least 1).
qint64 msToNextTurn(qint64 valueMs, CountKind kind);

// Starts a count that stands at `valueMs` now.
void startCount(CountAnchor& count, const Clock& clock, qint64 valueMs);
// The exact value of a running count now: down (or, `up`, up) from where it started by the real
// time that has passed since.
qint64 countValueMs(const CountAnchor& count, const Clock& clock, bool up);

// Minutes text of a count in seconds: seconds / 60 truncated toward zero ("19", "0", "-1").
// With `markNegativeZero` a negative count under one minute reads "-0", as the match clock
// shows it; the second clock never goes below zero and does without.
QString minutesText(double seconds, bool markNegativeZero);

// Seconds text of a count: |seconds - minutes * 60|, with "0" in front below 10 ("05", "30").
QString secondsText(double seconds);

} // namespace ml
