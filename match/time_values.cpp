#include "match/time_values.h"

#include "form/number_text.h"
#include "match/failure_box.h"

#include <cmath>

namespace ml {

double Get_Sec(const QString& timeOfDay, Dialogs& dialogs) {
    const std::optional<double> hours = readNumber(timeOfDay.mid(0, 2));
    const std::optional<double> minutes = readNumber(timeOfDay.mid(3, 2));
    const std::optional<double> seconds = readNumber(timeOfDay.mid(6, 2));
    if (!hours || !minutes || !seconds) {
        showFailure(dialogs, QCoreApplication::translate("ml::time", "Format kontrollieren"),
                    kFaultTypeMismatch,
                    QCoreApplication::translate("ml::time", " beim beim Zeiten berechnen:"),
                    notANumberDescription(timeOfDay),
                    QCoreApplication::translate("ml::time", "Format hh:mm:ss.ss kontrollieren"));
        return 0;
    }
    return *hours * 3600 + (*minutes * 60 + *seconds);
}

void checkTimeOfDay(const QString& timeOfDay, Dialogs& dialogs) {
    (void)Get_Sec(timeOfDay, dialogs);
}

std::optional<double> readClock(const QString& minutes, const QString& seconds) {
    const std::optional<double> m = readNumber(minutes.isEmpty() ? QStringLiteral("0") : minutes);
    const std::optional<double> s = readNumber(seconds.isEmpty() ? QStringLiteral("0") : seconds);
    if (!m || !s)
        return std::nullopt;
    const double value = static_cast<double>(roundDown(std::fabs(*m) * 60 + *s));
    return minutes.trimmed().startsWith(QLatin1Char('-')) ? -value : value;
}

qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

namespace {

qint64 ceilDiv(qint64 a, qint64 b) {
    return -floorDiv(-a, b);
}

constexpr qint64 kSecondMs = 1000;
constexpr qint64 kTenthMs = 100;
constexpr qint64 kMinuteMs = 60 * kSecondMs;

} // namespace

qint64 shownMs(qint64 valueMs, CountKind kind) {
    switch (kind) {
    case CountKind::ClockUp:
        return floorDiv(valueMs, kSecondMs) * kSecondMs;
    case CountKind::Interruption:
        return ceilDiv(valueMs, kSecondMs) * kSecondMs;
    case CountKind::ClockDown:
        break;
    }
    const qint64 tenths = ceilDiv(valueMs, kTenthMs) * kTenthMs;
    if (tenths >= 0 && tenths < kMinuteMs)
        return tenths;
    if (tenths > 0)
        return ceilDiv(valueMs, kSecondMs) * kSecondMs;
    return floorDiv(valueMs, kSecondMs) * kSecondMs;
}

bool inLastMinute(qint64 shownValueMs, CountKind kind) {
    return kind == CountKind::ClockDown && shownValueMs >= 0 && shownValueMs < kMinuteMs;
}

qint64 msToNextTurn(qint64 valueMs, CountKind kind) {
    const qint64 shown = shownMs(valueMs, kind);
    if (kind == CountKind::ClockUp)
        return shown + kSecondMs - valueMs;
    // Counting down, what is shown changes where the value reaches a whole tenth (the upper
    // ends of seconds and tenths) or falls just below a whole second (below zero); the first
    // such place within the next second and a tenth is the turn.
    const qint64 firstTenth = ceilDiv(valueMs, kTenthMs) * kTenthMs - kTenthMs;
    for (qint64 at = firstTenth; at >= firstTenth - 11 * kTenthMs; at -= kTenthMs)
        for (const qint64 value : {at, at - 1})
            if (shownMs(value, kind) != shown)
                return valueMs - value;
    return kSecondMs;
}

void startCount(CountAnchor& count, const Clock& clock, qint64 valueMs) {
    count.monoMs = clock.monotonicMs();
    count.valueMs = valueMs;
}

qint64 countValueMs(const CountAnchor& count, const Clock& clock, bool up) {
    const qint64 ran = clock.monotonicMs() - count.monoMs;
    return up ? count.valueMs + ran : count.valueMs - ran;
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
