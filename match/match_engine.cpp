// The match's start-up, the count of the tick and the tenths step of the last minute.

#include "match/match_engine.h"

#include "form/captions.h"
#include "form/number_text.h"
#include "match/time_values.h"

#include <algorithm>
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
    form_.D_Min.onChange = [this] { clockTyped(); };
    form_.D_Sec.onChange = [this] { clockTyped(); };
    form_.Reset_Time.onClick = [this] { Reset_Time_Click(); };
    form_.reset.onClick = [this] { reset_Click(); };
    form_.s_change.onClick = [this] { s_change_Click(); };
    form_.Mode_up.onClick = [this] { Mode_up_Click(); };
    form_.Mode_down.onClick = [this] { Mode_down_Click(); };
    form_.Time_Out.onClick = [this] { Time_Out_Click(); };
    form_.Break.onClick = [this] { Break_Click(); };
    form_.StrafeL.onClick = [this] { StrafeL_Click(); };
    form_.StrafeR.onClick = [this] { StrafeR_Click(); };
    form_.nextPeriod.onClick = [this] { nextPeriod_Click(); };
    form_.teamTimeoutL.onClick = [this] { teamTimeoutL_Click(); };
    form_.teamTimeoutR.onClick = [this] { teamTimeoutR_Click(); };
    form_.penaltyEndL.onClick = [this] { penaltyEndL_Click(); };
    form_.penaltyEndR.onClick = [this] { penaltyEndR_Click(); };
    form_.penaltyRemoveL.onClick = [this] { penaltyRemoveL_Click(); };
    form_.penaltyRemoveR.onClick = [this] { penaltyRemoveR_Click(); };
    form_.foulL.onClick = [this] { foulL_Click(); };
    form_.foulR.onClick = [this] { foulR_Click(); };
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
    showSport();
}

void MatchEngine::count() {
    Form& f = form_;
    switchBanner();

    // One reading of the time of day serves the whole tick, so the caption and the count agree.
    f.NowSec = Get_Sec(showTimeOfDay(), dialogs_);

    if (!f.ClockRunning) {
        f.Timer3.enabled = false;
        f.Timer2.interval = kTickMs;
    }
    countStep();
}

QString MatchEngine::showTimeOfDay() {
    const QString now = clock_.timeOfDay();
    form_.TimeOut.text = now;
    form_.Uhr_anz.text = now;
    return now;
}

void MatchEngine::countStep() {
    const Form& f = form_;
    if (f.ClockRunning)
        runningClockStep();
    else if (f.TimeoutActive || f.BreakActive)
        interruptionStep();
}

CountKind MatchEngine::runningKind() const {
    const Form& f = form_;
    if (!f.ClockRunning)
        return CountKind::Interruption;
    return f.Mode_down.checked ? CountKind::ClockDown : CountKind::ClockUp;
}

bool MatchEngine::counting() const {
    const Form& f = form_;
    return f.ClockRunning || f.TimeoutActive || f.BreakActive;
}

qint64 MatchEngine::valueNow() const {
    return countValueMs(form_.anchor, clock_, runningKind() == CountKind::ClockUp);
}

std::optional<qint64> MatchEngine::msToNextChange() const {
    if (!counting())
        return std::nullopt;
    const CountKind kind = runningKind();
    const qint64 value = valueNow();
    const auto last = static_cast<qint64>(std::llround(form_.CurSec * 1000));
    if (shownMs(value, kind) != shownMs(last, kind))
        return 0;
    return msToNextTurn(value, kind);
}

void MatchEngine::runningClockStep() {
    Form& f = form_;
    const qint64 value = valueNow();
    const CountKind kind = runningKind();
    const qint64 shown = shownMs(value, kind);
    f.CurSec = static_cast<double>(value) / 1000;
    f.ClockMs = value;
    // The count-down passes 0:00, or under a sport's rules the count-up reaches the period's
    // end: the playing time is over. The horn sounds once for it, after this step's
    // transmission; the clock runs on unless it is to stop there. Under a sport's rules the
    // period has ended.
    const bool sport = !rules().free();
    const bool upEnds = kind == CountKind::ClockUp && sport && shown >= periodEndMs();
    bool periodOver = false;
    if ((kind == CountKind::ClockDown ? shown < 0 : upEnds) && !f.ClockEnded) {
        f.ClockEnded = true;
        f.HornDue = HornSignal::MatchEnd;
        periodOver = f.PeriodPhase == phase::kPlaying && sport;
        if (f.StopAtZero) {
            if (kind == CountKind::ClockDown) {
                stopAtZero();
            } else {
                showClock(periodEndMs(), kind);
                stopped(periodEndMs());
            }
            if (periodOver)
                endPeriod();
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
    advancePenalties();
    if (periodOver)
        endPeriod();
}

// The clock boxes for a shown value: minutes and seconds; in the last minute also the seconds
// and the tenths in the second clock, which the display shows then.
void MatchEngine::showClock(qint64 shown, CountKind kind) {
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

void MatchEngine::stopAtZero() {
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
void MatchEngine::stopped(qint64 valueMs) {
    Form& f = form_;
    f.CurSec = static_cast<double>(valueMs) / 1000;
    f.ClockMs = valueMs;
    f.St_St.text = captions::start();
    f.ClockRunning = false;
    f.LogPending = true;
    showSecondClock(false);
    f.Timer3.enabled = false;
    f.Timer2.interval = kTickMs;
    advancePenalties();
}

// The value now, to the millisecond, of the running count.
std::optional<double> MatchEngine::runningCount() const {
    if (!counting())
        return std::nullopt;
    return static_cast<double>(valueNow()) / 1000;
}

void MatchEngine::resumeCount(double seconds) {
    Form& f = form_;
    f.RefTime = Get_Sec(clock_.timeOfDay(), dialogs_);
    const auto value = static_cast<qint64>(std::llround(seconds * 1000));
    startCount(f.anchor, clock_, value);
    f.StartSec = static_cast<double>(value) / 1000;
    f.CurSec = f.StartSec;
    if (f.ClockRunning)
        f.ClockMs = value;
}

bool MatchEngine::countsUp() const {
    return runningKind() == CountKind::ClockUp;
}

void MatchEngine::tenths() {
    const Form& f = form_;
    if (f.ClockRunning && f.LastMinute)
        runningClockStep();
}

} // namespace ml
