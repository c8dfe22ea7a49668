#pragma once

// Fitting texts to display widths, the blinking separator and the preview colour.

#include "form/form.h"
#include "platform/platform.h"

namespace ml {

// Pads with blanks to `width` (in front when align is exactly "R", behind otherwise) or cuts to
// the first `width` characters. A fault (negative width) shows the "Bitte an Vandrel melden"
// box and returns the text as it was then.
QString TrimText(const QString& text, const QString& align, int width, Dialogs& dialogs);

// ":" on odd seconds of the time of day while the clock stands and `Uhr` is clear, else " ".
QString Flash(const Form& form, const Clock& clock, Dialogs& dialogs);

// Red text on the 19 preview boxes while the display is live, pale red otherwise.
void SetColor(Form& form, bool live);

inline constexpr unsigned kRed = 0xFF0000;
inline constexpr unsigned kPaleRed = 0xFFC0C0;

} // namespace ml
