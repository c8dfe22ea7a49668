#include "bookkeeping/event_log.h"

namespace ml {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// The log is cut back to its newest characters past this length.
constexpr qsizetype kLogLimit = 100000;
constexpr qsizetype kLogKeep = 1000;

void keepShort(QString& text) {
    if (text.size() > kLogLimit)
        text.truncate(kLogKeep);
}

// The event of a pending log entry: the first that holds of break, timeout, right penalty,
// left penalty; otherwise the clock was started or stopped.
QString eventText(const Form& f) {
    if (f.BreakActive)
        return EventLog::tr(" Spielpause");
    if (f.TimeoutActive)
        return EventLog::tr(" Timeout");
    if (f.penaltyR.running)
        return EventLog::tr(" Strafe %1min. für %2").arg(f.ValStrafeR.text, f.Text_r.text);
    if (f.penaltyL.running)
        return EventLog::tr(" Strafe %1min. für %2").arg(f.ValStrafeL.text, f.Text_l.text);
    return EventLog::tr(" Spiel Start/Stop");
}

} // namespace

void EventLog::addLine(const QString& text) {
    const QString line = clock_.timeOfDay() + text;
    form_.Text1.text = line + kLineEnd + form_.Text1.text;
    if (onLine)
        onLine(line);
}

void EventLog::start() {
    const QString line = clock_.timeOfDay() + tr(" +++ Programmstart. ");
    form_.Text1.text = line + kLineEnd + kLineEnd;
    if (onLine)
        onLine(line);
}

void EventLog::LogEvent(const Transmission& out) {
    Form& f = form_;
    const QString scoreL = out.leftScore();
    const QString scoreR = out.rightScore();
    const bool scoreChanged = scoreR != f.LoggedScoreR || scoreL != f.LoggedScoreL;
    if (scoreChanged && !f.Uhr.ticked() && f.ClockRunning && !f.penaltyR.running &&
        !f.penaltyL.running && !f.TimeoutActive) {
        const QString summary = out.minutes() + out.seconds() + QStringLiteral(" - ") +
                                out.leftHalf() + QStringLiteral(" :") + scoreL +
                                QStringLiteral(" / ") + out.rightHalf() + QStringLiteral(" :") +
                                scoreR;
        addLine(tr(" +++ Spielzeit: ") + summary);
        f.LoggedScoreL = scoreL;
        f.LoggedScoreR = scoreR;
    }

    if (f.LogPending) {
        const QString event = eventText(f);
        f.LogPending = false;
        addLine(tr(" +++ Spielzeit: ") + f.D_Min.text + QStringLiteral(":") + f.D_Sec.text +
                QStringLiteral(" (") + f.Pkt_l.text + QStringLiteral(":") + f.Pkt_r.text +
                QStringLiteral(")") + event);
    }

    keepShort(f.Text1.text);
}

} // namespace ml
