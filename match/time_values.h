#pragma once

// Time values and their text forms: the time of day as seconds, the clock's minutes and seconds
// texts, and reading a clock back into seconds.

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

} // namespace ml
