#include "match/time_values.h"

#include "form/number_text.h"
#include "match/failure_box.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ml {

double Get_Sec(const QString& timeOfDay, Dialogs& dialogs) {
    const std::optional<double> hours = readNumber(timeOfDay.mid(0, 2));
    const std::optional<double> minutes = readNumber(timeOfDay.mid(3, 2));
    const std::optional<double> seconds = readNumber(timeOfDay.mid(6, 2));
    if (!hours || !minutes || !seconds) {
        showFailure(dialogs, QStringLiteral("Format kontrollieren"), kFaultTypeMismatch,
                    QStringLiteral(" beim beim Zeiten berechnen:"),
                    notANumberDescription(timeOfDay),
                    QStringLiteral("Format hh:mm:ss.ss kontrollieren"));
        return 0;
    }
    return *hours * 3600 + (*minutes * 60 + *seconds);
}

std::optional<double> readClock(const QString& minutes, const QString& seconds) {
    const std::optional<double> m = readNumber(minutes.isEmpty() ? QStringLiteral("0") : minutes);
    const std::optional<double> s = readNumber(seconds.isEmpty() ? QStringLiteral("0") : seconds);
    if (!m || !s)
        return std::nullopt;
    const double value = static_cast<double>(roundDown(std::fabs(*m) * 60 + *s));
    return minutes.trimmed().startsWith(QLatin1Char('-')) ? -value : value;
}

namespace {

qint64 floorMod(qint64 a, qint64 b) {
    return ((a % b) + b) % b;
}

// A change of the computer's clock against real time larger than this is a setting of it.
// Below it the count keeps its boundaries: a slewing clock does not make it jump.
constexpr qint64 kClockSetMs = 500;

} // namespace

void startCount(CountAnchor& count, const Clock& clock) {
    const qint64 mono = clock.monotonicMs();
    const qint64 wall = clock.wallMs();
    count.monoMs = mono - floorMod(wall, 1000);
    count.wallOffsetMs = wall - mono;
    count.countedMs = 0;
}

qint64 countedMs(CountAnchor& count, const Clock& clock) {
    const qint64 mono = clock.monotonicMs();
    const qint64 wall = clock.wallMs();
    if (std::llabs(wall - mono - count.wallOffsetMs) > kClockSetMs) {
        // Shift the anchor by the least amount that puts the turns back on the time of day's
        // second boundaries.
        qint64 shift = floorMod(wall - (mono - count.monoMs), 1000);
        if (shift > 500)
            shift -= 1000;
        count.monoMs -= shift;
        count.wallOffsetMs = wall - mono;
    }
    count.countedMs = std::max(count.countedMs, mono - count.monoMs);
    return count.countedMs;
}

QString minutesText(double seconds, bool markNegativeZero) {
    const long long minutes = truncateTowardZero(seconds / 60);
    if (markNegativeZero && seconds < 0 && minutes == 0)
        return QStringLiteral("-0");
    return wholeText(minutes);
}

QString secondsText(double seconds) {
    const double rest =
        std::fabs(seconds - static_cast<double>(truncateTowardZero(seconds / 60)) * 60);
    const QString text = numberText(rest);
    return rest < 10 ? QStringLiteral("0") + text : text;
}

} // namespace ml
