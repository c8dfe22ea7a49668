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

// The clock read back from its minutes and seconds texts: empty texts count as "0",
// |minutes| * 60 + seconds rounded down, negated when the minutes text begins with "-".
// Nothing when a text is not a number.
std::optional<double> readClock(const QString& minutes, const QString& seconds);

// The largest count, in seconds, that a start value, a length or a typed clock may give. Up to
// it every count is a whole number that the boxes show in plain digits and read back unchanged;
// beyond it the texts would turn into exponents and rounding noise.
inline constexpr double kMaxCountSeconds = 1e15;
inline bool countInRange(double seconds) {
    return seconds > -kMaxCountSeconds && seconds < kMaxCountSeconds;
}

// Anchors a count that starts now (`CountAnchor`).
void startCount(CountAnchor& count, const Clock& clock);
// The milliseconds the running count has counted: the real time passed since its start, plus the
// part of the time of day's second at the start, so that whole seconds turn on the time of day's
// boundaries. When the computer's clock has been set the count is re-aligned with it, keeping
// the time counted to within half a second; it never goes back.
qint64 countedMs(CountAnchor& count, const Clock& clock);

// Minutes text of a count in seconds: seconds / 60 truncated toward zero ("19", "0", "-1").
// With `markNegativeZero` a negative count under one minute reads "-0", as the match clock
// shows it; the second clock never goes below zero and does without.
QString minutesText(double seconds, bool markNegativeZero);

// Seconds text of a count: |seconds - minutes * 60|, with "0" in front below 10 ("05", "30").
QString secondsText(double seconds);

} // namespace ml
