// Start-up, the tick and the tenths step of the last minute.

#include "match/match_engine.h"

#include "form/number_text.h"
#include "match/time_values.h"

namespace ml {

MatchEngine::MatchEngine(Form& form, const Clock& clock, Dialogs& dialogs, EventLog& log)
    : form_(form), clock_(clock), dialogs_(dialogs), log_(log) {}

void MatchEngine::showSecondClock(bool shown) {
    form_.Spec_Min.visible = shown;
    form_.Spec_Sec.visible = shown;
}

void MatchEngine::registerHandlers(Handlers& h) {
    h.click[QStringLiteral("St_St")] = [this] { St_St_Click(); };
    h.click[QStringLiteral("Reset_Time")] = [this] { Reset_Time_Click(); };
    h.click[QStringLiteral("reset")] = [this] { reset_Click(); };
    h.click[QStringLiteral("s_change")] = [this] { s_change_Click(); };
    h.click[QStringLiteral("Mode_up")] = [this] { Mode_up_Click(); };
    h.click[QStringLiteral("Mode_down")] = [this] { Mode_down_Click(); };
    h.click[QStringLiteral("Time_Out")] = [this] { Time_Out_Click(); };
    h.click[QStringLiteral("Break")] = [this] { Break_Click(); };
    h.click[QStringLiteral("StrafeL")] = [this] { StrafeL_Click(); };
    h.click[QStringLiteral("StrafeR")] = [this] { StrafeR_Click(); };
}

void MatchEngine::Form_Load() {
    Form& f = form_;
    f.Combo6.clear();
    f.Combo6.addItem(QStringLiteral("Kein Comport verfügbar"));
    f.Combo6.index = 0;

    f.Baud_9600.checked = true;
    f.Baud_1200.checked = false;
    f.Baud_2400.checked = false;
    f.Baud_4800.checked = false;

    f.up.checked = true;
    f.Mode_down.checked = true;
    f.down.checked = false;
    f.down_r.visible = false;
    f.down_l.visible = false;
    f.up_r.visible = true;
    f.up_l.visible = true;
    f.miror.checked = false;

    f.ClockRunning = false;
    f.TimeoutActive = false;
    f.BreakActive = false;
    f.LastMinute = false;
    f.StrafeLActive = false;
    f.StrafeRActive = false;
    f.LogPending = false;
    f.SpecialOutput = false;

    if (hooks_.br_low_Click)
        hooks_.br_low_Click();

    f.HLProgr[1]->checked = true;
    f.Show_Prog.visible = false;
    f.Show_Prog.text = QStringLiteral("Programm 1\r\nläuft");
    f.ProgramNumber = 1;

    f.PortOpen = false;
    f.PortClosedWarn = true;

    f.Timer2.enabled = true;

    log_.start();

    if (hooks_.check_comPorts_Click)
        hooks_.check_comPorts_Click();
}

void MatchEngine::Timer2_Timer() {
    tickCount();
    tickOutput();
}

void MatchEngine::tickCount() {
    Form& f = form_;
    Switch(1);

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

void MatchEngine::tickOutput() {
    Form& f = form_;
    if (hooks_.previewStep)
        hooks_.previewStep();
    if (hooks_.checkAndOut)
        f.Text5.text = hooks_.checkAndOut(f.TimeOut.text + QLatin1Char('\r'));
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

void MatchEngine::Timer3_Timer() {
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
