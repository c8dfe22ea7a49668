#pragma once

// The frames of the display line, composed as text: one character per byte on the wire (the
// serial link encodes to Windows-1252). Every frame is STX ... LF.

#include <QString>

#include <array>

namespace ml::frames {

// The code characters that go out as the bytes 0x80, 0x90 and 0x97.
inline constexpr QChar kCode80 = QChar(0x20AC);
inline constexpr QChar kCode90 = QChar(0x0090);
inline constexpr QChar kCode97 = QChar(0x2014);

// The text as the wire may carry it: each control character (below 0x20, 0x7F and the C1
// controls 0x80-0x9F) becomes a blank, so no text can end a frame early, start one of its own or
// smuggle in a code byte, and every field keeps its width. Every frame builder below passes its
// text through this; the window cleans typed and pasted text the same way.
QString blankControls(const QString& text);

QString fieldFrame(int address, int brightness, const QString& text);
QString bigTextFrame(int brightness, const QString& text);
QString scrollUpperFrame(int brightness, const QString& text);
QString scrollLowerFrame(int brightness, const QString& text);
QString scrollBigFrame(int brightness, const QString& text);
QString companionShortFrame(int brightness);
QString companionLongFrame(int brightness);
QString programFrame(int brightness, int program);
QString modeSwitchSequence();

QString upperScrollPair(int brightness, const QString& text);
QString lowerScrollPair(int brightness, const QString& text);
QString bigScrollPair(int brightness, const QString& text);
// Field frames 1..4 in address order.
QString scoreboard(int brightness, const std::array<QString, 4>& fields);

} // namespace ml::frames
