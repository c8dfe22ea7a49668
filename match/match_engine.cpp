// The match's start-up, the count of the tick and the tenths step of the last minute.

#include "match/match_engine.h"

#include "form/captions.h"
#include "form/number_text.h"
#include "match/time_values.h"

#include <cmath>

namespace ml {

MatchEngine::MatchEngine(Form& form, const Clock& clock, Dialogs& dialogs)
    : form_(form), clock_(clock), dialogs_(dialogs) {}

void MatchEngine::showSecondClock(bool shown) {
    form_.Spec_Min.visible = shown;
    form_.Spec_Sec.visible = shown;
}

void MatchEngine::bindHandlers() {
    form_.St_St.onClick = [this] { St_St_Click(); };
    form_.D_Min.onChange = [this] { D_Min_Change(); };
    form_.D_Sec.onChange = [this] { D_Min_Change(); };
    form_.Reset_Time.onClick = [this] { Reset_Time_Click(); };
    form_.reset.onClick = [this] { reset_Click(); };
    form_.s_change.onClick = [this] { s_change_Click(); };
    form_.Mode_up.onClick = [this] { Mode_up_Click(); };
    form_.Mode_down.onClick = [this] { Mode_down_Click(); };
    form_.Time_Out.onClick = [this] { Time_Out_Click(); };
    form_.Break.onClick = [this] { Break_Click(); };
    form_.StrafeL.onClick = [this] { StrafeL_Click(); };
    form_.StrafeR.onClick = [this] { StrafeR_Click(); };
}

void MatchEngine::start() {
    Form& f = form_;
    f.Mode_down.checked = true;
    f.ClockRunning = false;
    f.TimeoutActive = false;
    f.BreakActive = false;
    f.LastMinute = false;
    f.penaltyL.running = false;
    f.penaltyR.running = false;
    f.LogPending = false;
    f.Timer2.enabled = true;
}

void MatchEngine::count() {
    Form& f = form_;
    switchBanner();

    // One reading of the time of day serves the whole tick, so the caption and the count agree.
    const QString now = clock_.timeOfDay();
    f.TimeOut.text = now;
    f.Uhr_anz.text = now;

    if (!f.ClockRunning) {
        f.Timer3.enabled = false;
        f.Timer2.interval = kTickMs;
    }

    if (f.ClockRunning)
        runningClockStep(Get_Sec(now, dialogs_));
    else if (f.TimeoutActive || f.BreakActive)
        interruptionStep(Get_Sec(now, dialogs_));
}

// The running clock's value after `counted` milliseconds. The direction is read at every tick:
// switching it mirrors the elapsed time around the start value.
double MatchEngine::runningValue(qint64 counted) const {
    const Form& f = form_;
    const auto whole = static_cast<double>(counted / 1000);
    return f.Mode_down.checked ? f.StartSec - whole : f.StartSec + whole;
}

void MatchEngine::runningClockStep(double nowSec) {
    Form& f = form_;
    f.NowSec = nowSec;
    const qint64 counted = countedMs(f.anchor, clock_);
    f.CurSec = runningValue(counted);
    // The count-down passes 0:00: the playing time is over. The horn sounds once for it, after
    // this tick's transmission; the clock runs on below zero unless it is to stop at 0:00.
    if (f.Mode_down.checked && f.CurSec < 0 && !f.ClockEnded) {
        f.ClockEnded = true;
        f.HornDue = HornSignal::MatchEnd;
        if (f.StopAtZero) {
            stopAtZero();
            return;
        }
    }
    f.D_Min.text = minutesText(f.CurSec, true);
    f.D_Sec.text = secondsText(f.CurSec);

    const bool lastMinute = f.D_Min.text == QLatin1String("0") && f.Mode_down.checked;
    f.LastMinute = lastMinute;
    f.Timer3.enabled = lastMinute;
    showSecondClock(lastMinute);
    f.Timer2.interval = lastMinute ? kLastMinuteTickMs : kTickMs;
    if (lastMinute)
        showTenths(counted);

    advancePenalties();
}

void MatchEngine::stopAtZero() {
    Form& f = form_;
    f.CurSec = 0;
    f.D_Min.text = QStringLiteral("0");
    f.D_Sec.text = QStringLiteral("00");
    // A clock stopped in its last minute shows seconds and tenths: all zero now.
    f.Spec_Min.text = QStringLiteral("00");
    f.Spec_Sec.text = QStringLiteral("00");
    f.St_St.text = captions::kStart;
    f.ClockRunning = false;
    f.LogPending = true;
    showSecondClock(false);
    f.Timer3.enabled = false;
    f.Timer2.interval = kTickMs;
    advancePenalties();
}

// The seconds and tenths of the last minute, from the same count as the whole seconds: from each
// second boundary the tenths read 90, 80, ... 00.
void MatchEngine::showTenths(qint64 counted) {
    Form& f = form_;
    const double value = runningValue(counted);
    // Below zero the clock has left its last minute; the tick shows it.
    if (value < 0)
        return;
    f.TenthCount = 9 - static_cast<int>(counted % 1000 / 100);
    f.Spec_Min.text = secondsText(value);
    f.Spec_Sec.text = wholeText(f.TenthCount) + QLatin1Char('0');
}

// The value now, to the millisecond, of the count that shows whole seconds.
std::optional<double> MatchEngine::runningCount() {
    Form& f = form_;
    if (!f.ClockRunning && !f.TimeoutActive && !f.BreakActive)
        return std::nullopt;
    const double counted = static_cast<double>(countedMs(f.anchor, clock_)) / 1000;
    return countsUp() ? f.StartSec + counted : f.StartSec - counted;
}

void MatchEngine::resumeCount(double seconds) {
    Form& f = form_;
    f.RefTime = Get_Sec(clock_.timeOfDay(), dialogs_);
    startCount(f.anchor, clock_);
    // The anchor lies on the second boundary just passed; the count keeps whole seconds there.
    const double intoSecond = static_cast<double>(countedMs(f.anchor, clock_)) / 1000;
    f.StartSec = std::round(countsUp() ? seconds - intoSecond : seconds + intoSecond);
}

bool MatchEngine::countsUp() const {
    return form_.ClockRunning && !form_.Mode_down.checked;
}

void MatchEngine::tenths() {
    Form& f = form_;
    if (f.ClockRunning && f.LastMinute)
        showTenths(countedMs(f.anchor, clock_));
}

} // namespace ml
