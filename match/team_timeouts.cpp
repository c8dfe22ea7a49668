#include "match/team_timeouts.h"

#include "form/number_text.h"
#include "match/clock_count.h"
#include "match/interruptions.h"
#include "match/periods.h"
#include "match/time_values.h"

#include <algorithm>

namespace ml {

namespace {

QString timeoutCount(int n) {
    return n == 1 ? TeamTimeouts::tr("1 Timeout") : TeamTimeouts::tr("%1 Timeouts").arg(n);
}

// Taken timeouts as filled circles, those still allowed as open ones.
QString circles(int taken, int allowed) {
    return QString(taken, QChar(0x25CF)) + QString(std::max(0, allowed - taken), QChar(0x25CB));
}

} // namespace

TeamTimeouts::TeamTimeouts(MatchContext& context, ClockCount& count, Interruptions& interruptions,
                           Periods& periods)
    : context_(context), form_(context.form), count_(count), interruptions_(interruptions),
      periods_(periods) {}

void TeamTimeouts::show(const TeamSide& s) {
    const Form& f = form_;
    const SportRules& r = rules();
    const bool overtime = r.isOvertime(f.PeriodNumber);
    const TimeoutRules& t = r.timeouts;
    s.timeout.enabled = t.seconds > 0;
    // The allowance that binds: the overtime's, the match's, or the half's.
    if (t.seconds == 0)
        s.toShown.text.clear();
    else if (overtime && t.perOvertime >= 0)
        s.toShown.text = circles(s.toHalf, t.perOvertime);
    else if (t.perMatch >= 0)
        s.toShown.text = circles(s.toMatch, t.perMatch);
    else if (!t.perHalf.empty() && !overtime)
        s.toShown.text = circles(s.toHalf, t.perHalf[size_t(r.timeoutSegment(f.PeriodNumber))]);
    else
        s.toShown.text = QString::number(s.toMatch);
}

// The last minutes of the regular time are read from the playing time left in the last regular
// period, whichever way the clock counts (IHF 2:10, FIBA 18).
bool TeamTimeouts::inLastMinutes() const {
    const Form& f = form_;
    const SportRules& r = rules();
    const qint64 clock = count_.clockMs();
    const qint64 left = f.Mode_up.checked ? periods_.periodEndMs() - clock : clock;
    return r.timeouts.lastSeconds > 0 && f.PeriodNumber == r.periods &&
           left <= r.timeouts.lastSeconds * 1000LL;
}

QString TeamTimeouts::timeoutRefusal(const TeamSide& side) const {
    const Form& f = form_;
    const SportRules& r = rules();
    const TimeoutRules& t = r.timeouts;
    const bool overtime = r.isOvertime(f.PeriodNumber);
    if (overtime && t.perOvertime == 0)
        return tr("in der Verlängerung kein Timeout");
    if (t.perMatch >= 0 && side.toMatch >= t.perMatch)
        return tr("höchstens %1 im Spiel").arg(timeoutCount(t.perMatch));
    if (overtime && t.perOvertime > 0 && side.toHalf >= t.perOvertime)
        return tr("höchstens %1 je Verlängerung").arg(timeoutCount(t.perOvertime));
    if (!overtime && !t.perHalf.empty()) {
        const int allowed = t.perHalf[size_t(r.timeoutSegment(f.PeriodNumber))];
        if (side.toHalf >= allowed)
            return tr("höchstens %1 in der %2")
                .arg(timeoutCount(allowed),
                     r.periods == 2
                         ? r.periodTitle(f.PeriodNumber)
                         : tr("%1. Spielhälfte").arg(r.timeoutSegment(f.PeriodNumber) + 1));
    }
    if (inLastMinutes() && side.toLast >= t.lastMax)
        return tr("höchstens %1 in den letzten %2 Minuten")
            .arg(timeoutCount(t.lastMax), numberText(t.lastSeconds / 60.0));
    return {};
}

void TeamTimeouts::teamTimeout(const TeamSide& side) {
    Form& f = form_;
    const SportRules& r = rules();
    if (r.free() || r.timeouts.seconds == 0 || f.TimeoutActive || f.BreakActive)
        return;
    const QString refusal = timeoutRefusal(side);
    const QString what = tr("Timeout %1").arg(side.name.text);
    QString note;
    if (!refusal.isEmpty()) {
        const bool given =
            context_.dialogs.messageBox(
                tr("%1?\r\n\r\nDie Regeln (%2) erlauben es nicht: %3.\r\n\r\n"
                   "Trotzdem geben?")
                    .arg(what, r.title(), refusal),
                tr("Timeout"), Icon::None, Buttons::YesNo, Answer::No) == Answer::Yes;
        context_.logAt((given ? tr("%1 gegen die Regel gegeben: %2") : tr("%1 nicht gegeben: %2"))
                           .arg(what, refusal));
        if (!given)
            return;
        note = tr("gegen die Regel: %1").arg(refusal);
    }
    const bool last = inLastMinutes();
    TextBox length{"TimeoutLength", lengthBoxText(r.timeouts.seconds)};
    if (!interruptions_.interrupt(length, true))
        return;
    ++side.toMatch;
    ++side.toHalf;
    if (last)
        ++side.toLast;
    context_.report(EventKind::Timeout, &side, nullptr, note);
    periods_.showSport();
}

void TeamTimeouts::teamTimeoutL_Click() {
    teamTimeout(teamSide(form_, true));
}

void TeamTimeouts::teamTimeoutR_Click() {
    teamTimeout(teamSide(form_, false));
}

} // namespace ml
