#pragma once

// Numbers from operator text, and whole numbers back to text. The three roundings that the
// procedures use are kept apart on purpose.

#include <QString>

#include <cstdint>
#include <optional>

namespace ml {

// Reads text such as "20.0", " -3 ", "0,25" as a number: decimal point "." or ",", blanks
// around, an optional sign. Empty text, letters, a second separator or a non-finite value give
// nothing.
std::optional<double> readNumber(const QString& text);

// Plain decimal text of a whole number: no leading blank, no leading zeros.
inline QString wholeText(long long v) {
    return QString::number(v);
}

// Shortest decimal text of a number, "." as decimal point ("0.5", "20", "-1.25").
QString numberText(double v);

// Rounded down (toward minus infinity).
long long roundDown(double v);
// Truncated toward zero.
long long truncateTowardZero(double v);
// Rounded to the nearest whole number, halves to the even neighbour.
long long roundHalfEven(double v);

// The signed 16-bit range of the window's integer fields.
constexpr long long kInt16Min = INT16_MIN;
constexpr long long kInt16Max = INT16_MAX;
inline bool fitsInt16(double v) {
    return v >= kInt16Min && v <= kInt16Max;
}

} // namespace ml
