#include "match/interruptions.h"

#include "form/captions.h"
#include "form/number_text.h"
#include "match/clock_commands.h"
#include "match/clock_count.h"
#include "match/failure_box.h"
#include "match/periods.h"
#include "match/time_values.h"

#include <cmath>

namespace ml {

namespace {

void showBanner(Form& form, const char* left, const char* right) {
    form.SpecL.visible = true;
    form.SpecR.visible = true;
    form.SpecL.text = QString::fromLatin1(left);
    form.SpecR.text = QString::fromLatin1(right);
}

// The display modes that would hide the count are switched off; their handlers run.
void leaveSpecialDisplays(Form& form) {
    form.Uhr.setValue(0);
    form.Prog.setValue(0);
}

} // namespace

Interruptions::Interruptions(MatchContext& context, ClockCount& count, ClockCommands& commands,
                             Periods& periods)
    : context_(context), form_(context.form), count_(count), commands_(commands),
      periods_(periods) {}

void Interruptions::endInterruption(Interruption which) {
    Form& f = form_;
    const bool breakEnds = which != Interruption::Timeout && f.BreakActive;
    if (which != Interruption::Break) {
        f.TimeoutActive = false;
        f.Time_Out.text = captions::startTimeout();
    }
    if (which != Interruption::Timeout) {
        f.BreakActive = false;
        f.Break.text = captions::startPause();
    }
    count_.showSecondClock(false);
    // A clock that stood in its last minute shows its seconds and tenths on the display again,
    // not what is left of the interruption.
    if (f.LastMinute && !f.ClockRunning) {
        f.Spec_Min.text = f.D_Sec.text;
        f.Spec_Sec.text = wholeText(f.TenthCount) + QLatin1Char('0');
    }
    if (breakEnds)
        context_.report(EventKind::BreakEnded);
    periods_.followBreak();
}

bool Interruptions::interrupt(TextBox& lengthBox, bool timeout) {
    Form& f = form_;
    leaveSpecialDisplays(f);
    endInterruption(timeout ? Interruption::Break : Interruption::Timeout);
    if (!startInterruption(lengthBox))
        return false;
    (timeout ? f.TimeoutActive : f.BreakActive) = true;
    (timeout ? f.Time_Out : f.Break).text =
        timeout ? captions::stopTimeout() : captions::stopPause();
    return true;
}

// A click ends a running timeout; otherwise it ends a running break and starts a timeout.
void Interruptions::Time_Out_Click() {
    Form& f = form_;
    leaveSpecialDisplays(f);
    if (f.TimeoutActive) {
        endInterruption(Interruption::Both);
        return;
    }
    if (interrupt(f.TimeoutValue, true))
        context_.report(EventKind::Timeout);
}

void Interruptions::Break_Click() {
    Form& f = form_;
    leaveSpecialDisplays(f);
    if (f.BreakActive) {
        endInterruption(Interruption::Both);
        return;
    }
    if (!interrupt(f.BreakValue, false))
        return;
    // A break after a period's end is the period's break, however it is started.
    if (f.PeriodPhase == phase::kEnded && !rules().free())
        f.PeriodPhase = phase::kBreak;
    context_.report(EventKind::BreakStarted);
}

bool Interruptions::startInterruption(TextBox& lengthBox) {
    Form& f = form_;
    f.LogPending = true;
    // The match clock stops and keeps the texts of its last tick.
    f.St_St.text = captions::start();
    f.ClockRunning = false;
    count_.showSecondClock(true);

    const std::optional<double> minutes = readNumber(lengthBox.text);
    if (!minutes || !countInRange(*minutes * 60)) {
        showFailure(context_.dialogs, QStringLiteral("1.0"),
                    minutes ? kFaultOverflow : kFaultTypeMismatch, tr(" beim Timeout starten:"),
                    minutes ? overflowDescription(lengthBox.text)
                            : notANumberDescription(lengthBox.text),
                    tr("Zeit in Min eingeben"));
        lengthBox.text = QStringLiteral("1.0");
        // No count-down runs: the window shows the match clock, as the display does.
        count_.showSecondClock(false);
        return false;
    }
    const double v = *minutes * 60;
    checkTimeOfDay(context_.clock.timeOfDay(), context_.dialogs);
    const long long wholeMinutes = truncateTowardZero(v / 60);
    const double rest = v - static_cast<double>(wholeMinutes) * 60;
    // The count starts from the seconds as written; a fraction written as an exponent is taken
    // as it was computed.
    const double shownRest = readNumber(numberText(rest)).value_or(rest);
    const qint64 start =
        std::llround(roundDown(static_cast<double>(wholeMinutes) * 60 + shownRest) * 1000.0);
    f.StepMs = start;
    startCount(f.anchor, context_.clock, start);
    // The click writes to the display line at once: exactly what the count's first step shows.
    showCount(count_.valueNow());
    return true;
}

void Interruptions::showCount(qint64 value) {
    Form& f = form_;
    const qint64 shown = shownMs(value, CountKind::Interruption);
    f.StepMs = value;
    f.Spec_Min.text = minutesText(static_cast<double>(shown / 1000), false);
    f.Spec_Sec.text = secondsText(static_cast<double>(shown / 1000));
}

void Interruptions::step() {
    Form& f = form_;
    const qint64 value = count_.valueNow();
    showCount(value);
    if (shownMs(value, CountKind::Interruption) >= 0)
        return;
    f.HornDue = f.TimeoutActive ? HornSignal::TimeoutEnd : HornSignal::BreakEnd;

    // An interruption that ends on a run-out clock prepares the clock for the next period.
    const bool clockAtZero =
        f.D_Min.text == QLatin1String("0") && f.D_Sec.text == QLatin1String("00");
    const bool breakBelowZero = f.D_Min.text.contains(QLatin1Char('-')) && f.BreakActive;
    if (clockAtZero || breakBelowZero)
        commands_.ResetTime();
    endInterruption(Interruption::Both);
}

void Interruptions::switchBanner(bool advance) {
    Form& f = form_;
    if (advance && f.Timer2.interval > 0)
        f.BannerPhase += 1000.0 / f.Timer2.interval;
    const bool shown = f.BannerPhase < 3;
    if (f.BannerPhase > 6)
        f.BannerPhase = 0;
    if (!shown) {
        f.SpecL.visible = false;
        f.SpecR.visible = false;
        return;
    }
    if (f.TimeoutActive) {
        showBanner(f, "    TIME", "-OUT    ");
        return;
    }
    if (f.BreakActive) {
        showBanner(f, "  SPIEL-", "PAUSE   ");
        return;
    }
    // A clock box or start value that holds no number counts as no interruption.
    const std::optional<double> start = readNumber(f.Startwert.text);
    const std::optional<double> shownMinutes = readNumber(f.D_Min.text);
    if (start && shownMinutes && roundDown(*start) > roundDown(*shownMinutes) && !f.ClockRunning) {
        showBanner(f, "  UNTER-", "BRUCH   ");
        return;
    }
    f.SpecL.visible = false;
    f.SpecR.visible = false;
}

void Interruptions::interruptFor(bool timeout) {
    const SportRules& r = rules();
    TextBox length{"Length",
                   lengthBoxText(timeout ? r.timeouts.seconds : r.breakAfter(form_.PeriodNumber))};
    if (!r.free())
        interrupt(length, timeout);
}

} // namespace ml
