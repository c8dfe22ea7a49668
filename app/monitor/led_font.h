#pragma once

// The display line's characters as 5 × 7 dots.

#include <QChar>

#include <array>
#include <cstdint>

namespace ml::monitor {

// Five columns, left to right; bit 0 of a column is its top dot. A character without a glyph of
// its own shows its base letter (é as e), or "?".
std::array<std::uint8_t, 5> glyph(QChar c);

} // namespace ml::monitor
