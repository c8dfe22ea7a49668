// The match under a sport's rules: the choice of the sport, its periods with the breaks between
// them (on a clock counting down, or counting up through the playing time of the match), the end
// of the match, and the team timeouts counted against the rules. Every figure comes from the
// rules' data; "Frei" has no periods, and then nothing here changes how the match runs.

#include "form/captions.h"
#include "form/number_text.h"
#include "match/match_engine.h"
#include "match/time_values.h"

#include <algorithm>

namespace ml {

namespace {

QString timeoutCount(int n) {
    return n == 1 ? MatchEngine::tr("1 Timeout") : MatchEngine::tr("%1 Timeouts").arg(n);
}

// Taken timeouts as filled circles, those still allowed as open ones.
QString circles(int taken, int allowed) {
    return QString(taken, QChar(0x25CF)) + QString(std::max(0, allowed - taken), QChar(0x25CB));
}

} // namespace

void MatchEngine::report(EventKind kind, const PenaltySide* side, const ListedPenalty* p,
                         const QString& note) {
    if (!onEvent)
        return;
    const EventSide s = side == nullptr ? EventSide::None
                        : side->left    ? EventSide::Left
                                        : EventSide::Right;
    onEvent({kind, s, p ? p->number : 0, p ? p->lengthSec : 0, note});
}

void MatchEngine::logAt(const QString& what) {
    const Form& f = form_;
    if (logLine)
        logLine(tr(" +++ Spielzeit: %1:%2 (%3:%4) %5")
                    .arg(f.D_Min.text, f.D_Sec.text, f.Pkt_l.text, f.Pkt_r.text, what));
}

bool MatchEngine::underWay() const {
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

bool MatchEngine::chooseSport(const QString& id) {
    Form& f = form_;
    if (!catalog_.has(id))
        return false;
    if (underWay() &&
        dialogs_.messageBox(tr("Die Sportart mitten im Spiel wählen?\r\n\r\nDer Spielstand bleibt; "
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
    for (const PenaltySide& s : {leftPenalty(), rightPenalty()}) {
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
    f.StopAtZero = !r.free();
    // The clock keeps its direction: it starts where the first period begins.
    if (!r.free())
        f.Startwert.text = lengthBoxText(f.Mode_up.checked ? 0 : r.periodSeconds);
    ResetTime();
    showBreakLength();
    if (logLine)
        logLine(tr(" +++ Sportart: %1").arg(r.title()));
    showSport();
    return true;
}

void MatchEngine::newMatch() {
    form_.PeriodNumber = rules().free() ? 0 : 1;
    form_.PeriodPhase = phase::kReady;
    ResetTime();
    choosePeriodLength();
    showBreakLength();
    showSport();
}

int MatchEngine::periodLength(int n) const {
    const SportRules& r = rules();
    if (r.isOvertime(n))
        return r.overtime.seconds;
    return form_.PeriodSeconds > 0 ? form_.PeriodSeconds : r.periodSeconds;
}

int MatchEngine::periodStart(int n) const {
    int start = 0;
    for (int k = 1; k < n; ++k)
        start += periodLength(k);
    return start;
}

qint64 MatchEngine::periodBeginMs() const {
    const int n = std::max(1, form_.PeriodNumber);
    return 1000LL * (form_.Mode_up.checked ? periodStart(n) : periodLength(n));
}

qint64 MatchEngine::periodEndMs() const {
    const int n = std::max(1, form_.PeriodNumber);
    return form_.Mode_up.checked ? 1000LL * (periodStart(n) + periodLength(n)) : 0;
}

qint64 MatchEngine::matchMs(qint64 clockMs) const {
    const int n = std::max(1, form_.PeriodNumber);
    return form_.Mode_up.checked ? clockMs : 1000LL * periodStart(n) + periodBeginMs() - clockMs;
}

void MatchEngine::note(const QString& text) {
    form_.setFault(Fault::Note, text);
    ++form_.NoteCount;
}

// Counting down, the start value of the first period before it begins is the length of every
// regular period of the match (a league's 2 × 20 under handball's rules); the status line says
// so once. Counting up, the start value is where the count begins, and the length stays the
// sport's.
void MatchEngine::choosePeriodLength() {
    Form& f = form_;
    const SportRules& r = rules();
    if (r.free() || f.Mode_up.checked || f.PeriodNumber != 1 || f.PeriodPhase != phase::kReady)
        return;
    const std::optional<double> minutes = readNumber(f.Startwert.text);
    const long long seconds = minutes ? std::llround(*minutes * 60) : 0;
    if (seconds < 1 || seconds > 99 * 60 || seconds == periodLength(1))
        return;
    f.PeriodSeconds = seconds == r.periodSeconds ? 0 : static_cast<int>(seconds);
    note(tr("%1: %2 min").arg(r.periodNoun(), numberText(static_cast<double>(seconds) / 60)));
}

// Under a sport's rules the clock shows the playing time in the other direction: counting down a
// period runs from its length to 0:00, counting up from its start to its end, so a moment of the
// period (the clock, each running penalty's end) goes to the same distance from the other end.
void MatchEngine::turnClock(bool up) {
    Form& f = form_;
    const int n = std::max(1, f.PeriodNumber);
    const qint64 mirror = 1000LL * (periodStart(n) + periodLength(n));
    const qint64 before = clockMs();
    for (const PenaltySide& s : {leftPenalty(), rightPenalty()})
        for (ListedPenalty& p : s.list)
            if (p.running)
                p.endMs = mirror - p.endMs;
    setDirection(up);
    f.Startwert.text = lengthBoxText(static_cast<int>(periodBeginMs() / 1000));
    if (f.PeriodPhase == phase::kReady)
        ResetTime();
    else
        setClockMs(mirror - before);
    showSport();
}

void MatchEngine::showSport() {
    Form& f = form_;
    const SportRules& r = rules();
    const bool band = !r.free();
    for (Control* c : std::initializer_list<Control*>{
             &f.periodName, &f.nextPeriod, &f.teamTimeoutL, &f.timeoutsL, &f.teamTimeoutR,
             &f.timeoutsR, &f.playerCaptionL, &f.playerL, &f.penaltyListL, &f.penaltyEndL,
             &f.penaltyRemoveL, &f.playerCaptionR, &f.playerR, &f.penaltyListR, &f.penaltyEndR,
             &f.penaltyRemoveR})
        c->visible = band;
    for (const PenaltySide& s : {leftPenalty(), rightPenalty()})
        showFouls(s);
    if (!band)
        return;
    const bool over = f.PeriodPhase == phase::kOver;
    f.periodName.text = over ? tr("Spielende") : r.periodTitle(std::max(1, f.PeriodNumber));
    f.nextPeriod.text = nextCaption();
    f.nextPeriod.enabled = !over;
    const bool overtime = r.isOvertime(f.PeriodNumber);
    const TimeoutRules& t = r.timeouts;
    const bool penalties = !r.penalties.kinds.empty();
    for (Button* b : {&f.penaltyEndL, &f.penaltyRemoveL, &f.penaltyEndR, &f.penaltyRemoveR})
        b->enabled = penalties;
    const qint64 clock = clockMs();
    for (const PenaltySide& s : {leftPenalty(), rightPenalty()}) {
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
        // The number names the player of a penalty, or of a foul where a player's fouls count.
        s.number.enabled = penalties || r.fouls.playerLimit > 0;
        showPenalties(s, clock);
    }
}

bool MatchEngine::lastOfBlock() const {
    const SportRules& r = rules();
    const int n = form_.PeriodNumber;
    return n >= r.periods && (r.overtime.periods == 0 || (n - r.periods) % r.overtime.periods == 0);
}

// Overtime is played only when the match needs it: the score is level.
bool MatchEngine::overtimeDue() const {
    const Form& f = form_;
    const std::optional<double> home = readNumber(f.Pkt_l.text);
    const std::optional<double> guest = readNumber(f.Pkt_r.text);
    return rules().overtimeMayFollow(f.PeriodNumber) && home && guest && *home == *guest;
}

QString MatchEngine::nextCaption() const {
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

void MatchEngine::nextPeriod_Click() {
    Form& f = form_;
    const SportRules& r = rules();
    if (r.free())
        return;
    const QString title = r.periodTitle(f.PeriodNumber);
    switch (f.PeriodPhase) {
    case phase::kReady:
    case phase::kPlaying:
        if (dialogs_.messageBox(tr("%1 jetzt beenden?\r\n\r\nDie Spielzeit steht bei %2:%3.")
                                    .arg(title, f.D_Min.text, f.D_Sec.text),
                                title, Icon::None, Buttons::YesNo, Answer::No) != Answer::Yes)
            return;
        if (f.ClockRunning)
            St_St_Click();
        endPeriod();
        break;
    case phase::kEnded:
        // After the regular time or an overtime: another overtime when the score is level and
        // the timekeeper says so, else the end of the match.
        if (lastOfBlock() &&
            (!overtimeDue() || dialogs_.messageBox(tr("Verlängerung spielen?"), title, Icon::None,
                                                   Buttons::YesNo, Answer::No) != Answer::Yes)) {
            endMatch();
            return;
        }
        if (f.ClockRunning)
            St_St_Click();
        if (r.breakAfter(f.PeriodNumber) > 0)
            startBreak();
        else
            beginNextPeriod();
        break;
    case phase::kBreak:
        // The end of the break leads to the next period.
        endInterruption(Interruption::Both);
        break;
    default:
        return;
    }
    showSport();
}

// The period's time has run or the timekeeper ended it. After the regular time (or an overtime)
// with a score that is not level, or when no overtime may follow, the match is over.
void MatchEngine::endPeriod() {
    Form& f = form_;
    f.PeriodPhase = phase::kEnded;
    logAt(tr("Ende %1").arg(rules().periodTitle(f.PeriodNumber)));
    report(EventKind::PeriodEnded);
    if (lastOfBlock() && !overtimeDue())
        endMatch();
    showSport();
}

void MatchEngine::endMatch() {
    form_.PeriodPhase = phase::kOver;
    logAt(tr("Spielende"));
    report(EventKind::MatchEnded);
    showSport();
}

void MatchEngine::startBreak() {
    Form& f = form_;
    TextBox length{"BreakLength", lengthBoxText(rules().breakAfter(f.PeriodNumber))};
    if (!interrupt(length, false))
        return;
    f.PeriodPhase = phase::kBreak;
    report(EventKind::BreakStarted);
}

void MatchEngine::interruptFor(bool timeout) {
    const SportRules& r = rules();
    TextBox length{"Length",
                   lengthBoxText(timeout ? r.timeouts.seconds : r.breakAfter(form_.PeriodNumber))};
    if (!r.free())
        interrupt(length, timeout);
}

void MatchEngine::followBreak() {
    const Form& f = form_;
    if (f.PeriodPhase == phase::kBreak && !f.BreakActive && !f.TimeoutActive && !rules().free())
        beginNextPeriod();
}

// The clock is set to the next period's start value (counting up: where the playing time before
// it ends), ready to start; penalties carry over with what they have still to serve; the break
// box shows the break after it.
void MatchEngine::beginNextPeriod() {
    Form& f = form_;
    const SportRules& r = rules();
    const qint64 before = clockMs();
    const int segment = r.timeoutSegment(f.PeriodNumber);
    const int fouls = r.foulPeriod(f.PeriodNumber);
    f.PeriodNumber += 1;
    f.PeriodPhase = phase::kReady;
    f.Startwert.text = lengthBoxText(static_cast<int>(periodBeginMs() / 1000));
    ResetTime();
    carryPenalties(before, periodBeginMs());
    showBreakLength();
    if (r.timeoutSegment(f.PeriodNumber) != segment)
        f.TimeoutsHalfL = f.TimeoutsHalfR = 0;
    if (r.foulPeriod(f.PeriodNumber) != fouls)
        f.FoulsL = f.FoulsR = 0;
    showSport();
}

void MatchEngine::showBreakLength() {
    if (const int length = rules().breakAfter(std::max(1, form_.PeriodNumber)); length > 0)
        form_.BreakValue.text = lengthBoxText(length);
}

// The last minutes of the regular time are read from the playing time left in the last regular
// period, whichever way the clock counts (IHF 2:10, FIBA 18).
bool MatchEngine::inLastMinutes() const {
    const Form& f = form_;
    const SportRules& r = rules();
    const qint64 clock = clockMs();
    const qint64 left = f.Mode_up.checked ? periodEndMs() - clock : clock;
    return r.timeouts.lastSeconds > 0 && f.PeriodNumber == r.periods &&
           left <= r.timeouts.lastSeconds * 1000LL;
}

QString MatchEngine::timeoutRefusal(const PenaltySide& side) const {
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

void MatchEngine::teamTimeout(const PenaltySide& side) {
    Form& f = form_;
    const SportRules& r = rules();
    if (r.free() || r.timeouts.seconds == 0 || f.TimeoutActive || f.BreakActive)
        return;
    const QString refusal = timeoutRefusal(side);
    const QString what = tr("Timeout %1").arg(side.name.text);
    QString note;
    if (!refusal.isEmpty()) {
        const bool given =
            dialogs_.messageBox(tr("%1?\r\n\r\nDie Regeln (%2) erlauben es nicht: %3.\r\n\r\n"
                                   "Trotzdem geben?")
                                    .arg(what, r.title(), refusal),
                                tr("Timeout"), Icon::None, Buttons::YesNo,
                                Answer::No) == Answer::Yes;
        logAt((given ? tr("%1 gegen die Regel gegeben: %2") : tr("%1 nicht gegeben: %2"))
                  .arg(what, refusal));
        if (!given)
            return;
        note = tr("gegen die Regel: %1").arg(refusal);
    }
    const bool last = inLastMinutes();
    TextBox length{"TimeoutLength", lengthBoxText(r.timeouts.seconds)};
    if (!interrupt(length, true))
        return;
    ++side.toMatch;
    ++side.toHalf;
    if (last)
        ++side.toLast;
    report(EventKind::Timeout, &side, nullptr, note);
    showSport();
}

void MatchEngine::teamTimeoutL_Click() {
    teamTimeout(leftPenalty());
}

void MatchEngine::teamTimeoutR_Click() {
    teamTimeout(rightPenalty());
}

} // namespace ml
