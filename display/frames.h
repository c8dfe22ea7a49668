#pragma once

// The frames of the display line, composed as text: one character per byte on the wire (the
// serial link encodes to Windows-1252). Their bytes are named in wire_format.h; every text passes
// through wire::blankControls.

#include <QString>

#include <array>

namespace ml::frames {

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
