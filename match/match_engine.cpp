#include "match/match_engine.h"

#include "form/number_text.h"

#include <cmath>

namespace ml {

MatchEngine::MatchEngine(Form& form, const Clock& clock, Dialogs& dialogs)
    : context_(form, clock, dialogs), count_(context_, periods_, penalties_),
      commands_(context_, count_, interruptions_, periods_),
      interruptions_(context_, count_, commands_, periods_), penalties_(context_, count_, lists_),
      lists_(context_, count_, penalties_, periods_), fouls_(context_, periods_),
      cards_(context_, lists_, periods_), timeouts_(context_, count_, interruptions_, periods_),
      periods_(context_, count_, commands_, interruptions_, lists_, fouls_, timeouts_) {}

void MatchEngine::bindHandlers() {
    Form& f = context_.form;
    f.St_St.onClick = [this] { commands_.St_St_Click(); };
    f.D_Min.onChange = [this] { commands_.clockTyped(); };
    f.D_Sec.onChange = [this] { commands_.clockTyped(); };
    f.Reset_Time.onClick = [this] { commands_.Reset_Time_Click(); };
    f.reset.onClick = [this] { commands_.reset_Click(); };
    f.s_change.onClick = [this] { commands_.s_change_Click(); };
    f.Mode_up.onClick = [this] { commands_.Mode_up_Click(); };
    f.Mode_down.onClick = [this] { commands_.Mode_down_Click(); };
    f.Time_Out.onClick = [this] { interruptions_.Time_Out_Click(); };
    f.Break.onClick = [this] { interruptions_.Break_Click(); };
    f.StrafeL.onClick = [this] { penalties_.StrafeL_Click(); };
    f.StrafeR.onClick = [this] { penalties_.StrafeR_Click(); };
    f.nextPeriod.onClick = [this] { periods_.nextPeriod_Click(); };
    f.teamTimeoutL.onClick = [this] { timeouts_.teamTimeoutL_Click(); };
    f.teamTimeoutR.onClick = [this] { timeouts_.teamTimeoutR_Click(); };
    f.penaltyEndL.onClick = [this] { lists_.penaltyEndL_Click(); };
    f.penaltyEndR.onClick = [this] { lists_.penaltyEndR_Click(); };
    f.penaltyRemoveL.onClick = [this] { lists_.penaltyRemoveL_Click(); };
    f.penaltyRemoveR.onClick = [this] { lists_.penaltyRemoveR_Click(); };
    f.foulL.onClick = [this] { fouls_.foulL_Click(); };
    f.foulR.onClick = [this] { fouls_.foulR_Click(); };
    f.warningL.onClick = [this] { cards_.warningL_Click(); };
    f.warningR.onClick = [this] { cards_.warningR_Click(); };
    f.redCardL.onClick = [this] { cards_.redCardL_Click(); };
    f.redCardR.onClick = [this] { cards_.redCardR_Click(); };
}

void MatchEngine::start() {
    Form& f = context_.form;
    f.Mode_down.checked = true;
    f.ClockRunning = false;
    f.TimeoutActive = false;
    f.BreakActive = false;
    f.LastMinute = false;
    f.penaltyL.running = false;
    f.penaltyR.running = false;
    f.LogPending = false;
    f.Timer2.enabled = true;
    periods_.showSport();
}

void MatchEngine::count() {
    Form& f = context_.form;
    interruptions_.switchBanner(true);

    // One reading of the time of day serves the whole tick, so the caption and the count agree.
    checkTimeOfDay(count_.showTimeOfDay(), context_.dialogs);

    if (!f.ClockRunning) {
        f.Timer3.enabled = false;
        f.Timer2.interval = ClockCount::kTickMs;
    }
    countStep();
    periods_.showPeriodName();
}

void MatchEngine::countStep() {
    const Form& f = context_.form;
    if (f.ClockRunning)
        count_.step();
    else if (f.TimeoutActive || f.BreakActive)
        interruptions_.step();
}

QString MatchEngine::askedFirst(const Control& control) const {
    Form& f = context_.form;
    if (&control == &f.teamTimeoutL || &control == &f.teamTimeoutR) {
        const QString refusal = timeouts_.timeoutRefusal(teamSide(f, &control == &f.teamTimeoutL));
        return refusal.isEmpty()
                   ? QString()
                   : tr("Die Regeln (%1) erlauben es nicht: %2").arg(rules().title(), refusal);
    }
    if (&control == &f.nextPeriod) {
        const QString question = periods_.nextQuestion();
        return question.isEmpty() ? QString() : tr("Nur am Pult: %1").arg(question);
    }
    return {};
}

QString MatchEngine::nextPeriodTitle() const {
    const Form& f = context_.form;
    return f.PeriodPhase == phase::kBreak ? rules().periodTitle(f.PeriodNumber + 1) : QString();
}

QStringList MatchEngine::penaltyLengths() const {
    const PenaltyRules& p = rules().penalties;
    QStringList lengths;
    for (const PenaltyKind& k : p.kinds) {
        lengths << numberText(k.seconds / 60.0);
        if (p.doubleMinor && &k == &p.kinds.front())
            lengths << QStringLiteral("%1+%1").arg(lengths.back());
    }
    return lengths;
}

qint64 MatchEngine::elapsedMs(std::optional<qint64> clockMs) const {
    const Form& f = context_.form;
    const qint64 at = clockMs.value_or(count_.clockMs());
    qint64 ms = at;
    if (!rules().free())
        ms = periods_.matchMs(at);
    else if (!f.Mode_up.checked)
        ms = std::llround(readNumber(f.Startwert.text).value_or(0) * 60000) - at;
    return std::max<qint64>(0, ms);
}

} // namespace ml
