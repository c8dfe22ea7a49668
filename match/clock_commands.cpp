#include "match/clock_commands.h"

#include "form/captions.h"
#include "form/number_text.h"
#include "match/clock_count.h"
#include "match/failure_box.h"
#include "match/interruptions.h"
#include "match/periods.h"
#include "match/time_values.h"

#include <cmath>
#include <utility>

namespace ml {

ClockCommands::ClockCommands(MatchContext& context, ClockCount& count, Interruptions& interruptions,
                             Periods& periods)
    : context_(context), form_(context.form), count_(count), interruptions_(interruptions),
      periods_(periods) {}

void ClockCommands::ResetTime() {
    Form& f = form_;
    f.St_St.text = captions::start();
    f.ClockRunning = false;
    f.LastMinute = false;
    // A timeout or break ends completely: its button offers a new one.
    interruptions_.endInterruption(Interruption::Both);
    f.ClockEnded = false;

    const std::optional<double> minutes = readNumber(f.Startwert.text);
    const bool fits = minutes && countInRange(*minutes * 60);
    if (!fits) {
        showFailure(context_.dialogs, QStringLiteral("20.0"),
                    minutes ? kFaultOverflow : kFaultTypeMismatch, tr(" beim Reseten:"),
                    minutes ? overflowDescription(f.Startwert.text)
                            : notANumberDescription(f.Startwert.text),
                    tr("Zeit in Min eingeben"));
        f.Startwert.text = QStringLiteral("20.0");
        return;
    }
    const double v = *minutes * 60;
    const long long wholeMinutes = truncateTowardZero(v / 60);
    f.D_Min.text = wholeText(wholeMinutes);
    f.D_Sec.text = numberText(v - static_cast<double>(wholeMinutes) * 60);
    // Only a zero is padded here; the next tick of a running clock writes two digits anyway.
    if (f.D_Sec.text == QLatin1String("0"))
        f.D_Sec.text = QStringLiteral("00");
    f.ClockMs = std::llround(v * 1000);

    f.Timer3.enabled = false;
    count_.showSecondClock(false);
    f.Timer2.interval = ClockCount::kTickMs;
}

void ClockCommands::St_St_Click() {
    Form& f = form_;
    if (f.ClockRunning) {
        // Stops at the exact value of this moment, which the next start goes on from.
        count_.step();
        f.St_St.text = captions::start();
        f.ClockRunning = false;
        context_.report(EventKind::ClockStopped);
    } else {
        // The match is over: a start is a slip of the hand more often than not.
        if (f.PeriodPhase == phase::kOver && !rules().free() &&
            context_.dialogs.messageBox(tr("Das Spiel ist aus (Spielende).\r\n\r\nDie Spielzeit "
                                           "trotzdem starten?"),
                                        tr("Spielende"), Icon::None, Buttons::YesNo,
                                        Answer::No) != Answer::Yes)
            return;
        // Started in the break after a period: the next period begins at once.
        if (f.PeriodPhase == phase::kBreak && !rules().free())
            periods_.beginNextPeriod();
        // A clock the operator left unreadable is refused before anything changes, so the
        // count never starts from a value nobody can see.
        const std::optional<double> typed = readClock(f.D_Min.text, f.D_Sec.text);
        if (!typed || !countInRange(*typed)) {
            count_.refuseUnreadableClock(tr(" beim Starten der Spielzeit:"));
            return;
        }
        const qint64 start = count_.startValueMs(*typed);
        checkTimeOfDay(context_.clock.timeOfDay(), context_.dialogs);
        startCount(f.anchor, context_.clock, start);
        f.St_St.text = captions::stop();
        if (f.D_Sec.text.isEmpty())
            f.D_Sec.text = QStringLiteral("0");
        if (f.D_Min.text.isEmpty())
            f.D_Min.text = QStringLiteral("0");
        f.StepMs = start;
        f.ClockMs = start;
        // A clock started below zero has had its end; one started at 0:00 has it ahead unless
        // it stopped itself there. Counting up under a sport's rules, the period's end lies
        // ahead of a clock started before it.
        if (f.Mode_up.checked && !rules().free())
            f.ClockEnded = start >= periods_.periodEndMs();
        else if (start > 0)
            f.ClockEnded = false;
        else if (shownMs(start, CountKind::ClockDown) < 0)
            f.ClockEnded = true;
        f.ClockRunning = true;
        interruptions_.endInterruption(Interruption::Both);
        const bool begins = f.PeriodPhase == phase::kReady && !rules().free();
        if (begins)
            f.PeriodPhase = phase::kPlaying;
        context_.report(begins ? EventKind::PeriodStarted : EventKind::ClockStarted);
    }
    f.LogPending = true;
    count_.showSecondClock(false);
    // The boxes show the running clock from this moment on (in the last minute with tenths).
    if (f.ClockRunning)
        count_.step();
}

// A clock that stood in its last minute and is given a new value by the operator leaves it: the
// display shows the typed minutes and seconds, as the window does.
void ClockCommands::clockTyped() {
    if (!form_.ClockRunning)
        form_.LastMinute = false;
}

void ClockCommands::Reset_Time_Click() {
    // Enter keeps the clock: setting it back mid-match cannot be undone on the display.
    if (context_.dialogs.messageBox(tr("Zeit zurücksetzen?"), tr("mit OK Bestätigen"), Icon::None,
                                    Buttons::OkCancel, Answer::Cancel) != Answer::Ok)
        return;
    ResetTime();
    periods_.choosePeriodLength();
}

// Clearing both scores cannot be seen coming on the display: it asks first when there is a
// score to lose or the clock stands elsewhere than at its start value.
void ClockCommands::reset_Click() {
    const Form& f = form_;
    const auto zero = [](const QString& score) {
        const std::optional<double> v =
            readNumber(score.trimmed().isEmpty() ? QStringLiteral("0") : score);
        return v && *v == 0;
    };
    const std::optional<double> shown = readClock(f.D_Min.text, f.D_Sec.text);
    const std::optional<double> start = readNumber(f.Startwert.text);
    const bool atStart = !f.ClockRunning && shown && start && *shown == *start * 60;
    if ((!zero(f.Pkt_l.text) || !zero(f.Pkt_r.text) || !atStart) &&
        context_.dialogs.messageBox(tr("Beide Spielstände auf 0 und die Spielzeit auf den "
                                       "Startwert zurücksetzen?"),
                                    tr("Reset"), Icon::None, Buttons::YesNo,
                                    Answer::No) != Answer::Yes)
        return;
    ResetTime();
    periods_.choosePeriodLength();
    form_.Pkt_l.text = QStringLiteral("0");
    form_.Pkt_r.text = QStringLiteral("0");
}

void ClockCommands::s_change_Click() {
    Form& f = form_;
    std::swap(f.Text_l.text, f.Text_r.text);
    std::swap(f.Pkt_l.text, f.Pkt_r.text);
    f.EndsChanged = !f.EndsChanged;
    // Under a sport's rules penalties and timeouts belong to the team and change sides with it.
    if (rules().free())
        return;
    std::swap(f.penaltiesL, f.penaltiesR);
    std::swap(f.TimeoutsMatchL, f.TimeoutsMatchR);
    std::swap(f.TimeoutsHalfL, f.TimeoutsHalfR);
    std::swap(f.TimeoutsLastL, f.TimeoutsLastR);
    std::swap(f.FoulsL, f.FoulsR);
    std::swap(f.FoulsMatchL, f.FoulsMatchR);
    std::swap(f.playersL, f.playersR);
    periods_.showSport();
}

// Without a sport's rules the direction is read at the next tick; under them the clock turns at
// once and shows the same playing time.
void ClockCommands::Mode_up_Click() {
    rules().free() || form_.Mode_up.checked ? count_.setDirection(true) : periods_.turnClock(true);
}

void ClockCommands::Mode_down_Click() {
    rules().free() || form_.Mode_down.checked ? count_.setDirection(false)
                                              : periods_.turnClock(false);
}

} // namespace ml
