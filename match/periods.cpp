// Every figure comes from the rules' data; without periods nothing here changes how the match
// runs.

#include "match/periods.h"

#include "form/captions.h"
#include "form/number_text.h"
#include "match/clock_commands.h"
#include "match/clock_count.h"
#include "match/fouls.h"
#include "match/interruptions.h"
#include "match/penalty_lists.h"
#include "match/team_side.h"
#include "match/team_timeouts.h"
#include "match/time_values.h"

#include <algorithm>

namespace ml {

Periods::Periods(MatchContext& context, ClockCount& count, ClockCommands& commands,
                 Interruptions& interruptions, PenaltyLists& lists, Fouls& fouls,
                 TeamTimeouts& timeouts)
    : context_(context), form_(context.form), count_(count), commands_(commands),
      interruptions_(interruptions), lists_(lists), fouls_(fouls), timeouts_(timeouts) {}

bool Periods::underWay() const {
    const Form& f = form_;
    const auto zero = [](const QString& score) { return readNumber(score).value_or(0) == 0; };
    const std::optional<double> clock = readClock(f.D_Min.text, f.D_Sec.text);
    const std::optional<double> start = readNumber(f.Startwert.text);
    const bool atStart = clock && start && *clock == *start * 60;
    return f.ClockRunning || f.TimeoutActive || f.BreakActive || !zero(f.Pkt_l.text) ||
           !zero(f.Pkt_r.text) || !atStart || f.penaltyL.running || f.penaltyR.running ||
           !f.penaltiesL.empty() || !f.penaltiesR.empty() || f.PeriodNumber > 1 ||
           f.PeriodPhase != phase::kReady || f.TimeoutsMatchL + f.TimeoutsMatchR > 0 ||
           f.FoulsMatchL + f.FoulsMatchR > 0;
}

bool Periods::chooseSport(const QString& id) {
    Form& f = form_;
    if (!context_.catalog.has(id))
        return false;
    if (underWay() && context_.dialogs.messageBox(
                          tr("Die Sportart mitten im Spiel wählen?\r\n\r\nDer Spielstand bleibt; "
                             "Spielzeit, Abschnitt, Strafen und Timeouts beginnen neu."),
                          tr("Sportart"), Icon::None, Buttons::YesNo, Answer::No) != Answer::Yes)
        return false;
    f.Sport = id;
    const SportRules& r = rules();
    const std::vector<PenaltyKind>& kinds = r.penalties.kinds;
    // Nothing of the match before runs on: its penalties, timeouts and fouls go with it.
    f.penaltiesL.clear();
    f.penaltiesR.clear();
    f.PeriodSeconds = 0;
    for (const TeamSide& s : {teamSide(f, true), teamSide(f, false)}) {
        s.penalty = Penalty{};
        s.text.visible = false;
        s.button.text = captions::startPenalty();
        s.toMatch = s.toHalf = s.toLast = 0;
        s.fouls = s.foulsMatch = 0;
        s.players.clear();
        s.number.text.clear();
        s.box.index = -1;
        // A sport without timed penalties (basketball) offers none.
        s.button.enabled = s.length.enabled = r.free() || !kinds.empty();
        if (!r.free() && !kinds.empty())
            s.length.text = lengthBoxText(kinds.front().seconds);
    }
    f.PeriodNumber = r.free() ? 0 : 1;
    f.PeriodPhase = phase::kReady;
    // A period ends at its end (0:00 of a count-down); without periods the clock runs as the
    // operator has it.
    f.settings[SettingId::StopAtZero] = !r.free();
    // The clock keeps its direction: it starts where the first period begins.
    if (!r.free())
        f.Startwert.text = lengthBoxText(f.Mode_up.checked ? 0 : r.periodSeconds);
    commands_.ResetTime();
    showBreakLength();
    if (context_.logLine)
        context_.logLine(tr(" +++ Sportart: %1").arg(r.title()));
    showSport();
    return true;
}

void Periods::newMatch() {
    form_.PeriodNumber = rules().free() ? 0 : 1;
    form_.PeriodPhase = phase::kReady;
    commands_.ResetTime();
    choosePeriodLength();
    showBreakLength();
    showSport();
}

int Periods::periodLength(int n) const {
    const SportRules& r = rules();
    if (r.isOvertime(n))
        return r.overtime.seconds;
    return form_.PeriodSeconds > 0 ? form_.PeriodSeconds : r.periodSeconds;
}

int Periods::periodStart(int n) const {
    int start = 0;
    for (int k = 1; k < n; ++k)
        start += periodLength(k);
    return start;
}

qint64 Periods::periodBeginMs() const {
    const int n = std::max(1, form_.PeriodNumber);
    return 1000LL * (form_.Mode_up.checked ? periodStart(n) : periodLength(n));
}

qint64 Periods::periodEndMs() const {
    const int n = std::max(1, form_.PeriodNumber);
    return form_.Mode_up.checked ? 1000LL * (periodStart(n) + periodLength(n)) : 0;
}

qint64 Periods::matchMs(qint64 clockMs) const {
    const int n = std::max(1, form_.PeriodNumber);
    return form_.Mode_up.checked ? clockMs : 1000LL * periodStart(n) + periodBeginMs() - clockMs;
}

// Counting down, the start value of the first period before it begins is the length of every
// regular period of the match (a league's 2 × 20 under handball's rules); the status line says
// so once. Counting up, the start value is where the count begins, and the length stays the
// sport's.
void Periods::choosePeriodLength() {
    Form& f = form_;
    const SportRules& r = rules();
    if (r.free() || f.Mode_up.checked || f.PeriodNumber != 1 || f.PeriodPhase != phase::kReady)
        return;
    const std::optional<double> minutes = readNumber(f.Startwert.text);
    const long long seconds = minutes ? std::llround(*minutes * 60) : 0;
    if (seconds < 1 || seconds > 99 * 60 || seconds == periodLength(1))
        return;
    f.PeriodSeconds = seconds == r.periodSeconds ? 0 : static_cast<int>(seconds);
    context_.note(
        tr("%1: %2 min").arg(r.periodNoun(), numberText(static_cast<double>(seconds) / 60)));
}

// Under a sport's rules the clock shows the playing time in the other direction: counting down a
// period runs from its length to 0:00, counting up from its start to its end, so a moment of the
// period (the clock, each running penalty's end) goes to the same distance from the other end.
void Periods::turnClock(bool up) {
    Form& f = form_;
    const int n = std::max(1, f.PeriodNumber);
    const qint64 mirror = 1000LL * (periodStart(n) + periodLength(n));
    const qint64 before = count_.clockMs();
    for (const TeamSide& s : {teamSide(f, true), teamSide(f, false)})
        for (ListedPenalty& p : s.list)
            if (p.running)
                p.endMs = mirror - p.endMs;
    count_.setDirection(up);
    f.Startwert.text = lengthBoxText(static_cast<int>(periodBeginMs() / 1000));
    if (f.PeriodPhase == phase::kReady)
        commands_.ResetTime();
    else
        count_.setClockMs(mirror - before);
    showSport();
}

void Periods::showSport() {
    Form& f = form_;
    const SportRules& r = rules();
    const bool band = !r.free();
    for (Control* c : std::initializer_list<Control*>{
             &f.periodName, &f.nextPeriod, &f.teamTimeoutL, &f.timeoutsL, &f.teamTimeoutR,
             &f.timeoutsR, &f.playerCaptionL, &f.playerL, &f.penaltyListL, &f.penaltyEndL,
             &f.penaltyRemoveL, &f.playerCaptionR, &f.playerR, &f.penaltyListR, &f.penaltyEndR,
             &f.penaltyRemoveR})
        c->visible = band;
    for (const TeamSide& s : {teamSide(f, true), teamSide(f, false)}) {
        fouls_.show(s);
        // The card buttons stand in the fouls' place: a sport counts fouls or gives cards.
        s.warning.visible = s.redCard.visible = band && r.penalties.cards();
    }
    if (!band)
        return;
    const bool over = f.PeriodPhase == phase::kOver;
    showPeriodName();
    f.nextPeriod.text = nextCaption();
    f.nextPeriod.enabled = !over;
    const bool penalties = !r.penalties.kinds.empty();
    for (Button* b : {&f.penaltyEndL, &f.penaltyRemoveL, &f.penaltyEndR, &f.penaltyRemoveR})
        b->enabled = penalties;
    const qint64 clock = count_.clockMs();
    for (const TeamSide& s : {teamSide(f, true), teamSide(f, false)}) {
        timeouts_.show(s);
        // The number names the player of a penalty, or of a foul where a player's fouls count.
        s.number.enabled = penalties || r.fouls.playerLimit > 0;
        lists_.showPenalties(s, clock);
    }
}

QString Periods::title() const {
    const Form& f = form_;
    return f.PeriodPhase == phase::kOver ? tr("Spielende")
                                         : rules().periodTitle(std::max(1, f.PeriodNumber));
}

QString Periods::nextQuestion() const {
    const Form& f = form_;
    switch (f.PeriodPhase) {
    case phase::kReady:
    case phase::kPlaying:
        return tr("%1 jetzt beenden?").arg(rules().periodTitle(f.PeriodNumber));
    case phase::kEnded:
        return lastOfBlock() && overtimeDue() ? tr("Verlängerung spielen?") : QString();
    default:
        return {};
    }
}

void Periods::showPeriodName() {
    Form& f = form_;
    if (rules().free())
        return;
    QString name = title();
    if (f.TimeoutActive || f.BreakActive)
        name += QStringLiteral(" · %1:%2").arg(f.D_Min.text, f.D_Sec.text);
    f.periodName.text = name;
}

bool Periods::lastOfBlock() const {
    const SportRules& r = rules();
    const int n = form_.PeriodNumber;
    return n >= r.periods && (r.overtime.periods == 0 || (n - r.periods) % r.overtime.periods == 0);
}

// Overtime is played only when the match needs it: the score is level.
bool Periods::overtimeDue() const {
    const Form& f = form_;
    const std::optional<double> home = readNumber(f.Pkt_l.text);
    const std::optional<double> guest = readNumber(f.Pkt_r.text);
    return rules().overtimeMayFollow(f.PeriodNumber) && home && guest && *home == *guest;
}

QString Periods::nextCaption() const {
    const Form& f = form_;
    const SportRules& r = rules();
    switch (f.PeriodPhase) {
    case phase::kEnded:
        if (lastOfBlock())
            return overtimeDue() ? tr("Verlängerung") : tr("Spielende");
        return r.breakAfter(f.PeriodNumber) > 0 ? tr("Pause") : r.periodTitle(f.PeriodNumber + 1);
    case phase::kBreak:
        return r.periodTitle(f.PeriodNumber + 1);
    case phase::kOver:
        return tr("Spielende");
    default:
        return tr("Ende %1").arg(r.periodTitle(f.PeriodNumber));
    }
}

void Periods::nextPeriod_Click() {
    Form& f = form_;
    const SportRules& r = rules();
    if (r.free())
        return;
    const QString title = r.periodTitle(f.PeriodNumber);
    switch (f.PeriodPhase) {
    case phase::kReady:
    case phase::kPlaying:
        if (context_.dialogs.messageBox(
                nextQuestion() +
                    tr("\r\n\r\nDie Spielzeit steht bei %1:%2.").arg(f.D_Min.text, f.D_Sec.text),
                title, Icon::None, Buttons::YesNo, Answer::No) != Answer::Yes)
            return;
        if (f.ClockRunning)
            commands_.St_St_Click();
        endPeriod();
        break;
    case phase::kEnded:
        // After the regular time or an overtime: another overtime when the score is level and
        // the timekeeper says so, else the end of the match.
        if (lastOfBlock() && (!overtimeDue() || context_.dialogs.messageBox(
                                                    nextQuestion(), title, Icon::None,
                                                    Buttons::YesNo, Answer::No) != Answer::Yes)) {
            endMatch();
            return;
        }
        if (f.ClockRunning)
            commands_.St_St_Click();
        if (r.breakAfter(f.PeriodNumber) > 0)
            startBreak();
        else
            beginNextPeriod();
        break;
    case phase::kBreak:
        // The end of the break leads to the next period.
        interruptions_.endInterruption(Interruption::Both);
        break;
    default:
        return;
    }
    showSport();
}

// The period's time has run or the timekeeper ended it. After the regular time (or an overtime)
// with a score that is not level, or when no overtime may follow, the match is over.
void Periods::endPeriod() {
    Form& f = form_;
    f.PeriodPhase = phase::kEnded;
    context_.logAt(tr("Ende %1").arg(rules().periodTitle(f.PeriodNumber)));
    context_.report(EventKind::PeriodEnded);
    if (lastOfBlock() && !overtimeDue())
        endMatch();
    showSport();
}

void Periods::endMatch() {
    form_.PeriodPhase = phase::kOver;
    context_.logAt(tr("Spielende"));
    context_.report(EventKind::MatchEnded);
    showSport();
}

void Periods::startBreak() {
    Form& f = form_;
    TextBox length{"BreakLength", lengthBoxText(rules().breakAfter(f.PeriodNumber))};
    if (!interruptions_.interrupt(length, false))
        return;
    f.PeriodPhase = phase::kBreak;
    context_.report(EventKind::BreakStarted);
}

void Periods::followBreak() {
    const Form& f = form_;
    if (f.PeriodPhase == phase::kBreak && !f.BreakActive && !f.TimeoutActive && !rules().free())
        beginNextPeriod();
}

// The clock is set to the next period's start value (counting up: where the playing time before
// it ends), ready to start; penalties carry over with what they have still to serve; the break
// box shows the break after it.
void Periods::beginNextPeriod() {
    Form& f = form_;
    const SportRules& r = rules();
    const qint64 before = count_.clockMs();
    const int segment = r.timeoutSegment(f.PeriodNumber);
    const int fouls = r.foulPeriod(f.PeriodNumber);
    f.PeriodNumber += 1;
    f.PeriodPhase = phase::kReady;
    f.Startwert.text = lengthBoxText(static_cast<int>(periodBeginMs() / 1000));
    commands_.ResetTime();
    lists_.carryPenalties(before, periodBeginMs());
    showBreakLength();
    if (r.timeoutSegment(f.PeriodNumber) != segment)
        f.TimeoutsHalfL = f.TimeoutsHalfR = 0;
    if (r.foulPeriod(f.PeriodNumber) != fouls)
        f.FoulsL = f.FoulsR = 0;
    showSport();
}

void Periods::showBreakLength() {
    if (const int length = rules().breakAfter(std::max(1, form_.PeriodNumber)); length > 0)
        form_.BreakValue.text = lengthBoxText(length);
}

} // namespace ml
