#include "display/frames.h"

#include "display/wire_format.h"

namespace ml::frames {

namespace {

using wire::blankControls;

QString digit(int n) {
    return QString::number(n);
}

QString frame(const QString& body) {
    return QLatin1Char(wire::kStx) + body + QLatin1Char(wire::kLf);
}

} // namespace

QString fieldFrame(int address, int brightness, const QString& text) {
    return frame(digit(address) + digit(brightness) + blankControls(text));
}

QString bigTextFrame(int brightness, const QString& text) {
    return frame(QLatin1Char(wire::kBigText) + digit(brightness) + blankControls(text));
}

QString scrollUpperFrame(int brightness, const QString& text) {
    return frame(wire::kScrollCode + digit(brightness) + QLatin1Char(wire::kScrollUpper) +
                 blankControls(text));
}

// The lower row's scroll frame carries no row digit.
QString scrollLowerFrame(int brightness, const QString& text) {
    return frame(wire::kScrollCode + digit(brightness) + blankControls(text));
}

QString scrollBigFrame(int brightness, const QString& text) {
    return frame(wire::kScrollCode + digit(brightness) + QLatin1Char(wire::kScrollBig) +
                 blankControls(text));
}

QString companionShortFrame(int brightness) {
    return frame(wire::kCompanionCode + digit(brightness) + QLatin1Char(wire::kCompanionRow));
}

QString companionLongFrame(int brightness) {
    return frame(wire::kCompanionCode + digit(brightness) + QLatin1Char(wire::kCompanionRow) +
                 QString(wire::kLongCompanionBlanks, QLatin1Char(' ')));
}

// Brightness first, then the address: the reverse of a field frame. The payload is padded with
// blanks to a field's width.
QString programFrame(int brightness, int program) {
    const QString payload = wire::programEscape() + QString::number(program);
    return frame(digit(brightness) + QLatin1Char(wire::kProgramAddress) +
                 payload.leftJustified(wire::kFieldChars, QLatin1Char(' ')));
}

QString modeSwitchSequence() {
    return frame(QString(2, wire::kModeSwitchCode) + QLatin1String(wire::kModeSwitchDigits)) +
           frame(QLatin1String(wire::kModeSwitchSecond));
}

QString upperScrollPair(int brightness, const QString& text) {
    return scrollUpperFrame(brightness, text) + companionShortFrame(brightness);
}

// The companion goes first for the lower row.
QString lowerScrollPair(int brightness, const QString& text) {
    return companionLongFrame(brightness) + scrollLowerFrame(brightness, text);
}

QString bigScrollPair(int brightness, const QString& text) {
    return scrollBigFrame(brightness, text) + companionShortFrame(brightness);
}

QString scoreboard(int brightness, const std::array<QString, 4>& fields) {
    QString out;
    for (int i = 0; i < 4; ++i)
        out += fieldFrame(i + 1, brightness, fields[static_cast<size_t>(i)]);
    return out;
}

} // namespace ml::frames
