#include "form/number_text.h"

#include <cmath>
#include <limits>

namespace ml {

std::optional<double> readNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    // Only sign, digits and one decimal separator: no exponents, no "inf", no thousands
    // separators. The German decimal comma counts as the point.
    int digits = 0;
    int points = 0;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128)
            ++digits;
        else if (c == QLatin1Char('.') || c == QLatin1Char(','))
            ++points;
        else if (!(i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'))))
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    // A whole number of up to 15 digits is exact as a double: read at once (the clock's digits
    // and the time of day are read on every tick).
    const bool sign = !t[0].isDigit();
    if (points == 0 && digits <= 15) {
        qint64 whole = 0;
        for (qsizetype i = sign ? 1 : 0; i < t.size(); ++i)
            whole = whole * 10 + (t[i].unicode() - '0');
        return t[0] == QLatin1Char('-') ? -double(whole) : double(whole);
    }
    bool ok = false;
    const double v = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString numberText(double v) {
    if (v == 0)
        return QStringLiteral("0");
    return QString::number(v, 'g', std::numeric_limits<double>::max_digits10 - 2);
}

namespace {
long long toLong(double v) {
    // Values outside the long long range are clamped rather than left undefined.
    constexpr double lo = -9.2e18, hi = 9.2e18;
    if (std::isnan(v))
        return 0;
    if (v < lo)
        return static_cast<long long>(lo);
    if (v > hi)
        return static_cast<long long>(hi);
    return static_cast<long long>(v);
}
} // namespace

long long roundDown(double v) {
    return toLong(std::floor(v));
}
long long truncateTowardZero(double v) {
    return toLong(std::trunc(v));
}
long long roundHalfEven(double v) {
    return toLong(std::nearbyint(v));
}

} // namespace ml
