#include "match/clock_count.h"

#include "form/captions.h"
#include "form/number_text.h"
#include "match/failure_box.h"
#include "match/penalties.h"
#include "match/periods.h"

#include <algorithm>
#include <cmath>

namespace ml {

ClockCount::ClockCount(MatchContext& context, Periods& periods, Penalties& penalties)
    : context_(context), form_(context.form), periods_(periods), penalties_(penalties) {}

void ClockCount::showSecondClock(bool shown) {
    form_.Spec_Min.visible = shown;
    form_.Spec_Sec.visible = shown;
}

QString ClockCount::showTimeOfDay() {
    const QString now = context_.clock.timeOfDay();
    form_.TimeOut.text = now;
    form_.Uhr_anz.text = now;
    return now;
}

CountKind ClockCount::runningKind() const {
    const Form& f = form_;
    if (!f.ClockRunning)
        return CountKind::Interruption;
    return f.Mode_down.checked ? CountKind::ClockDown : CountKind::ClockUp;
}

bool ClockCount::counting() const {
    const Form& f = form_;
    return f.ClockRunning || f.TimeoutActive || f.BreakActive;
}

qint64 ClockCount::valueNow() const {
    return countValueMs(form_.anchor, context_.clock, runningKind() == CountKind::ClockUp);
}

std::optional<qint64> ClockCount::msToNextChange() const {
    if (!counting())
        return std::nullopt;
    const CountKind kind = runningKind();
    const qint64 value = valueNow();
    if (shownMs(value, kind) != shownMs(form_.StepMs, kind))
        return 0;
    return msToNextTurn(value, kind);
}

void ClockCount::step() {
    Form& f = form_;
    const qint64 value = valueNow();
    const CountKind kind = runningKind();
    const qint64 shown = shownMs(value, kind);
    f.StepMs = value;
    f.ClockMs = value;
    // The count-down passes 0:00, or under a sport's rules the count-up reaches the period's
    // end: the playing time is over. The horn sounds once for it, after this step's
    // transmission; the clock runs on unless it is to stop there. Under a sport's rules the
    // period has ended.
    const bool sport = !rules().free();
    const bool upEnds = kind == CountKind::ClockUp && sport && shown >= periods_.periodEndMs();
    bool periodOver = false;
    if ((kind == CountKind::ClockDown ? shown < 0 : upEnds) && !f.ClockEnded) {
        f.ClockEnded = true;
        f.HornDue = HornSignal::MatchEnd;
        periodOver = f.PeriodPhase == phase::kPlaying && sport;
        if (f.settings[SettingId::StopAtZero]) {
            if (kind == CountKind::ClockDown) {
                stopAtZero();
            } else {
                showClock(periods_.periodEndMs(), kind);
                stopped(periods_.periodEndMs());
            }
            if (periodOver)
                periods_.endPeriod();
            return;
        }
    }
    // The display's three places hold -99:59 to 999:59: a clock that runs out of them stops at
    // the end it reached rather than show a cut number.
    const qint64 end = std::clamp(shown, kLowestShownMs, kHighestShownMs);
    if (end != shown) {
        showClock(end, kind);
        stopped(end);
        return;
    }
    showClock(shown, kind);
    const bool lastMinute = inLastMinute(shown, kind);
    f.LastMinute = lastMinute;
    f.Timer3.enabled = lastMinute;
    showSecondClock(lastMinute);
    f.Timer2.interval = lastMinute ? kLastMinuteTickMs : kTickMs;
    penalties_.advancePenalties();
    if (periodOver)
        periods_.endPeriod();
}

// The clock boxes for a shown value: minutes and seconds; in the last minute also the seconds
// and the tenths in the second clock, which the display shows then.
void ClockCount::showClock(qint64 shown, CountKind kind) {
    Form& f = form_;
    const qint64 wholeSeconds = shown / 1000;
    f.D_Min.text = minutesText(static_cast<double>(wholeSeconds), true);
    f.D_Sec.text = secondsText(static_cast<double>(wholeSeconds));
    if (!inLastMinute(shown, kind))
        return;
    f.TenthCount = static_cast<int>(shown % 1000 / 100);
    f.Spec_Min.text = f.D_Sec.text;
    f.Spec_Sec.text = wholeText(f.TenthCount) + QLatin1Char('0');
}

void ClockCount::stopAtZero() {
    Form& f = form_;
    f.D_Min.text = QStringLiteral("0");
    f.D_Sec.text = QStringLiteral("00");
    // A clock stopped in its last minute shows seconds and tenths: all zero now.
    f.Spec_Min.text = QStringLiteral("00");
    f.Spec_Sec.text = QStringLiteral("00");
    f.TenthCount = 0;
    stopped(0);
}

// The clock stops by itself at `valueMs`, which its boxes show.
void ClockCount::stopped(qint64 valueMs) {
    Form& f = form_;
    f.StepMs = valueMs;
    f.ClockMs = valueMs;
    f.St_St.text = captions::start();
    f.ClockRunning = false;
    f.LogPending = true;
    showSecondClock(false);
    f.Timer3.enabled = false;
    f.Timer2.interval = kTickMs;
    penalties_.advancePenalties();
}

// The value now, to the millisecond, of the running count.
std::optional<double> ClockCount::runningCount() const {
    if (!counting())
        return std::nullopt;
    return static_cast<double>(valueNow()) / 1000;
}

void ClockCount::resumeCount(double seconds) {
    Form& f = form_;
    checkTimeOfDay(context_.clock.timeOfDay(), context_.dialogs);
    const auto value = static_cast<qint64>(std::llround(seconds * 1000));
    startCount(f.anchor, context_.clock, value);
    f.StepMs = value;
    if (f.ClockRunning)
        f.ClockMs = value;
}

void ClockCount::tenths() {
    const Form& f = form_;
    if (f.ClockRunning && f.LastMinute)
        step();
}

qint64 ClockCount::clockMs() const {
    const Form& f = form_;
    if (f.ClockRunning)
        return valueNow();
    const std::optional<double> typed = readClock(f.D_Min.text, f.D_Sec.text);
    // Boxes the operator left unreadable: the clock as it last stood.
    return typed ? startValueMs(*typed) : f.ClockMs;
}

// Where the clock starts: from its exact value while the boxes still show it, from the typed
// whole seconds once the operator has given it another value.
qint64 ClockCount::startValueMs(double typedSeconds) const {
    const Form& f = form_;
    const CountKind kind = f.Mode_down.checked ? CountKind::ClockDown : CountKind::ClockUp;
    const qint64 shownSeconds = shownMs(f.ClockMs, kind) / 1000;
    if (static_cast<double>(shownSeconds) == typedSeconds)
        return f.ClockMs;
    return std::llround(typedSeconds * 1000);
}

void ClockCount::setDirection(bool up) {
    form_.Mode_down.checked = !up;
    form_.Mode_up.checked = up;
}

void ClockCount::setClockMs(qint64 ms) {
    Form& f = form_;
    f.ClockMs = ms;
    if (f.ClockRunning) {
        startCount(f.anchor, context_.clock, ms);
        f.StepMs = ms;
        step();
        return;
    }
    f.LastMinute = false;
    showSecondClock(false);
    const qint64 shown =
        shownMs(ms, f.Mode_up.checked ? CountKind::ClockUp : CountKind::ClockDown) / 1000;
    f.D_Min.text = minutesText(static_cast<double>(shown), true);
    f.D_Sec.text = secondsText(static_cast<double>(shown));
}

void ClockCount::refuseUnreadableClock(const QString& action) {
    const Form& f = form_;
    const auto orZero = [](const QString& t) { return t.isEmpty() ? QStringLiteral("0") : t; };
    const std::optional<double> minutes = readNumber(orZero(f.D_Min.text));
    const std::optional<double> seconds = readNumber(orZero(f.D_Sec.text));
    // The box to correct: the one that is no number, else the one that makes the count too big.
    const bool minutesBad = !minutes || (seconds && !countInRange(*minutes * 60));
    const bool readable = minutes && seconds;
    const QString& text = minutesBad ? f.D_Min.text : f.D_Sec.text;
    showFailure(context_.dialogs, tr("Spielzeit kontrollieren"),
                readable ? kFaultOverflow : kFaultTypeMismatch, action,
                readable ? overflowDescription(text) : notANumberDescription(text),
                minutesBad ? tr("Minuten der Spielzeit als Zahl eingeben")
                           : tr("Sekunden der Spielzeit als Zahl eingeben"));
}

} // namespace ml
