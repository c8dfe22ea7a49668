#pragma once

// The display line's wire format, the one place that names its bytes. A transmission is frames,
// each STX, a body and LF. The frame builder (frames.h) writes the body as text that the serial
// link encodes to Windows-1252, one byte per character; the decoder (line_decoder.h) reads the
// bytes back. So a code is named here as its byte and as the character that encodes to it.
//
// Bodies:
//   field        address ('1'..'4'), brightness, eight characters
//   big text     '3', brightness, eight characters (field 4 does not follow)
//   scroll       scroll code, brightness, row ('1' upper, '2' big; none for the lower row), text
//   companion    companion code, brightness, '1' (and seven blanks: the lower row's, sent first)
//   program      brightness, '3', "§PRG" and the number, blanks to eight characters
//   mode switch  two frames: the mode-switch code twice and "111234567890", then "112345678"

#include <QLatin1String>
#include <QString>

namespace ml::wire {

inline constexpr char kStx = 0x02;
inline constexpr char kLf = 0x0A;

// The fields: the upper row's halves, then the lower row's; a "3" frame that field 4 does not
// follow is big text.
inline constexpr char kFirstField = '1';
inline constexpr char kLastField = '4';
inline constexpr char kBigText = '3';
inline constexpr int kFieldChars = 8;
inline constexpr char kLowestBrightness = '1';
inline constexpr char kHighestBrightness = '3';

// The code bytes and the characters that Windows-1252 encodes to them.
inline constexpr char kScrollByte = '\x80';
inline constexpr char kModeSwitchByte = '\x90';
inline constexpr char kCompanionByte = '\x97';
inline constexpr QChar kScrollCode = QChar(0x20AC);
inline constexpr QChar kModeSwitchCode = QChar(0x0090);
inline constexpr QChar kCompanionCode = QChar(0x2014);

// The digit after the scroll code, and the companion's.
inline constexpr char kScrollUpper = '1';
inline constexpr char kScrollBig = '2';
inline constexpr char kCompanionRow = '1';
inline constexpr int kLongCompanionBlanks = 7;

// A built-in program: brightness first, then this address, the escape and the number.
inline constexpr char kProgramAddress = '3';
inline constexpr char kProgramEscape[] = "\xA7PRG";
inline constexpr int kProgramDigits = 3;

inline constexpr char kModeSwitchDigits[] = "111234567890";
inline constexpr char kModeSwitchSecond[] = "112345678";

// The display's own clock: it shows its time of day in these eight places.
inline constexpr char kTimeEscape[] = "\xA7O4     ";

// The escapes as text (Windows-1252 and Latin-1 agree on them).
inline QString programEscape() {
    return QLatin1String(kProgramEscape);
}
inline QString timeEscape() {
    return QLatin1String(kTimeEscape);
}

// A control character (below 0x20, 0x7F and the C1 controls 0x80-0x9F) never stands in a frame's
// text: it could end a frame early, start one of its own or smuggle in a code byte.
inline constexpr bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// The text with each control character blanked, so every field keeps its width. The frame
// builder passes every text through this, the decoder every text it reads, and the window
// cleans typed and pasted text the same way.
inline QString blankControls(QString text) {
    for (QChar& c : text)
        if (isControl(c.unicode()))
            c = QLatin1Char(' ');
    return text;
}

} // namespace ml::wire
