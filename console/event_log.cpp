#include "console/event_log.h"

namespace ml {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// The log and the tick's output box are cut back to their newest characters past this length.
constexpr qsizetype kLogLimit = 100000;
constexpr qsizetype kLogKeep = 1000;

// Frame and control characters that separate the fields of a transmission: STX, TAB, LF, CR, DC4.
bool isFrameCharacter(QChar c) {
    const char16_t u = c.unicode();
    return u == 2 || u == 9 || u == 10 || u == 13 || u == 20;
}

// Characters `first` to `last` (1-based, inclusive); whatever of them exists.
QString piece(const QString& text, qsizetype first, qsizetype last) {
    return text.mid(first - 1, last - first + 1);
}

void keepShort(QString& text) {
    if (text.size() > kLogLimit)
        text.truncate(kLogKeep);
}

// The event of a pending log entry: the first that holds of break, timeout, right penalty,
// left penalty; otherwise the clock was started or stopped.
QString eventText(const Form& f) {
    if (f.BreakActive)
        return QStringLiteral(" Spielpause");
    if (f.TimeoutActive)
        return QStringLiteral(" Timeout");
    if (f.StrafeRActive)
        return QStringLiteral(" Strafe ") + f.ValStrafeR.text + QStringLiteral("min. für ") +
               f.Text_r.text;
    if (f.StrafeLActive)
        return QStringLiteral(" Strafe ") + f.ValStrafeL.text + QStringLiteral("min. für ") +
               f.Text_l.text;
    return QStringLiteral(" Spiel Start/Stop");
}

} // namespace

void EventLog::addLine(const QString& text) {
    form_.Text1.text = clock_.timeOfDay() + text + kLineEnd + form_.Text1.text;
}

void EventLog::start() {
    form_.Text1.text =
        clock_.timeOfDay() + QStringLiteral(" +++ Programmstart. ") + kLineEnd + kLineEnd;
}

void EventLog::LogEvent(const QString& transmission, int /*unused*/) {
    Form& f = form_;

    // A scoreboard transmission without its frame characters is four fields of ten: address
    // digit, brightness digit, eight characters.
    QString rest = transmission;
    rest.removeIf(isFrameCharacter);
    const QString S = piece(rest, 23, 26);
    const QString M = piece(rest, 28, 30);
    const QString C = piece(rest, 33, 35);
    const QString A = piece(rest, 3, 10);
    const QString B = piece(rest, 13, 20);
    const QString R = piece(rest, 36, 39);

    const bool scoreChanged = R != f.LoggedScoreR || S != f.LoggedScoreL;
    if (scoreChanged && !f.Uhr.ticked() && f.ClockRunning && !f.StrafeRActive && !f.StrafeLActive &&
        !f.TimeoutActive) {
        const QString summary = M + C + QStringLiteral(" - ") + A + QStringLiteral(" :") + S +
                                QStringLiteral(" / ") + B + QStringLiteral(" :") + R;
        addLine(QStringLiteral(" +++ Spielzeit: ") + summary);
        f.LoggedScoreL = S;
        f.LoggedScoreR = R;
    }

    if (f.LogPending) {
        const QString event = eventText(f);
        f.LogPending = false;
        addLine(QStringLiteral(" +++ Spielzeit: ") + f.D_Min.text + QStringLiteral(":") +
                f.D_Sec.text + QStringLiteral(" (") + f.Pkt_l.text + QStringLiteral(":") +
                f.Pkt_r.text + QStringLiteral(")") + event);
    }

    keepShort(f.Text1.text);
    keepShort(f.Text5.text);
}

} // namespace ml
