#include "display/frames.h"

namespace ml::frames {

namespace {

constexpr QChar kStx = QChar(0x02);
constexpr QChar kLf = QChar(0x0A);

QString digit(int n) {
    return QString::number(n);
}

QString frame(const QString& body) {
    return kStx + body + kLf;
}

} // namespace

QString blankControls(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
            c = QLatin1Char(' ');
    }
    return out;
}

QString fieldFrame(int address, int brightness, const QString& text) {
    return frame(digit(address) + digit(brightness) + blankControls(text));
}

QString bigTextFrame(int brightness, const QString& text) {
    return frame(QLatin1Char('3') + digit(brightness) + blankControls(text));
}

QString scrollUpperFrame(int brightness, const QString& text) {
    return frame(kCode80 + digit(brightness) + QLatin1Char('1') + blankControls(text));
}

// The lower row's scroll frame carries no row digit.
QString scrollLowerFrame(int brightness, const QString& text) {
    return frame(kCode80 + digit(brightness) + blankControls(text));
}

QString scrollBigFrame(int brightness, const QString& text) {
    return frame(kCode80 + digit(brightness) + QLatin1Char('2') + blankControls(text));
}

QString companionShortFrame(int brightness) {
    return frame(kCode97 + digit(brightness) + QLatin1Char('1'));
}

QString companionLongFrame(int brightness) {
    return frame(kCode97 + digit(brightness) + QLatin1Char('1') + QString(7, QLatin1Char(' ')));
}

// Brightness first, then "3": the reverse of a field frame. The payload after the "3" is padded
// with blanks to eight characters.
QString programFrame(int brightness, int program) {
    QString payload = QStringLiteral("§PRG") + QString::number(program);
    while (payload.size() < 8)
        payload += QLatin1Char(' ');
    return frame(digit(brightness) + QLatin1Char('3') + payload);
}

QString modeSwitchSequence() {
    return frame(QString(2, kCode90) + QStringLiteral("111234567890")) +
           frame(QStringLiteral("112345678"));
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
