#pragma once

// The display line's characters as 5 × 7 dots, and the whole line as its matrix of dots: what
// the monitor window paints and the web page /anzeige draws.

#include "display/line_decoder.h"

#include <QChar>

#include <array>
#include <bitset>
#include <cstdint>

namespace ml {

// Five columns, left to right; bit 0 of a column is its top dot. A character without a glyph of
// its own shows its base letter (é as e), or "?".
std::array<std::uint8_t, 5> glyph(QChar c);

// Dots across and down the display line.
inline constexpr int kDotColumns = kRowChars * kCellColumns;
inline constexpr int kDotRows = 16;
using LedDots = std::array<std::bitset<kDotColumns>, kDotRows>;

// The lit dots of the line at `nowMs` (the decoder's clock); `timeOfDay` ("hh:mm:ss") stands in
// the place of a clock escape.
LedDots ledDots(const LineState& state, qint64 nowMs, const QString& timeOfDay);

} // namespace ml
