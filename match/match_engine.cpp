// The match's start-up, the count of the tick and the tenths step of the last minute.

#include "match/match_engine.h"

#include "form/number_text.h"
#include "match/time_values.h"

namespace ml {

MatchEngine::MatchEngine(Form& form, const Clock& clock, Dialogs& dialogs)
    : form_(form), clock_(clock), dialogs_(dialogs) {}

void MatchEngine::showSecondClock(bool shown) {
    form_.Spec_Min.visible = shown;
    form_.Spec_Sec.visible = shown;
}

void MatchEngine::bindHandlers() {
    form_.St_St.onClick = [this] { St_St_Click(); };
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

void MatchEngine::runningClockStep(double nowSec) {
    Form& f = form_;
    f.NowSec = nowSec;
    // The direction is read at every tick: switching it mirrors the elapsed time.
    f.CurSec =
        f.Mode_down.checked ? f.RefTime - f.NowSec + f.StartSec : f.NowSec - f.RefTime + f.StartSec;
    f.D_Min.text = minutesText(f.CurSec, true);
    f.D_Sec.text = secondsText(f.CurSec);

    const bool lastMinute = f.D_Min.text == QLatin1String("0") && f.Mode_down.checked;
    f.LastMinute = lastMinute;
    f.Timer3.enabled = lastMinute;
    showSecondClock(lastMinute);
    f.Timer2.interval = lastMinute ? kLastMinuteTickMs : kTickMs;

    advancePenalties();
}

void MatchEngine::tenths() {
    Form& f = form_;
    if (!f.ClockRunning)
        return;
    f.Spec_Sec.text = wholeText(f.TenthCount) + QLatin1Char('0');
    f.TenthCount -= 1;
    // A new second starts the tenths again at 9.
    if (f.Spec_Min.text != f.D_Sec.text || f.TenthCount < 0)
        f.TenthCount = 9;
    f.Spec_Min.text = f.D_Sec.text;
}

} // namespace ml
