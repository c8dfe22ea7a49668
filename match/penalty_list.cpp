// Penalties under a sport's rules: each side keeps a list of them in the order given. As many of
// a side's penalties run as the rules allow (those that make the team play short count); the
// others wait and start, in their order, at the moment of match time at which a place is free. A
// served penalty leaves the list by itself. The display shows the one that ends first.

#include "form/captions.h"
#include "form/number_text.h"
#include "match/failure_box.h"
#include "match/match_engine.h"
#include "match/time_values.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <cmath>

namespace ml {

namespace {

// Up to this time to serve the display has room for the count of the side's other penalties.
constexpr long long kCountFits = 600;

QString twoDigits(long long v) {
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

long long clamped(double clock) {
    return static_cast<long long>(std::clamp(clock, double{-INT_MAX}, double{INT_MAX}));
}

int runningReducing(const PenaltyList& list) {
    return static_cast<int>(std::count_if(list.begin(), list.end(), [](const ListedPenalty& p) {
        return p.running && p.reducesTeam;
    }));
}

QString numbered(const ListedPenalty& p) {
    return p.number ? QStringLiteral("#%1").arg(p.number) : QStringLiteral("#-");
}

} // namespace

long long MatchEngine::toServe(const ListedPenalty& p, long long clock) const {
    return form_.Mode_up.checked ? p.endSec - clock : clock - p.endSec;
}

void MatchEngine::startPenalty(ListedPenalty& p, long long from) const {
    const long long end = form_.Mode_up.checked ? from + p.lengthSec : from - p.lengthSec;
    p.running = true;
    p.endSec = static_cast<int>(std::clamp(end, kInt16Min, kInt16Max));
}

void MatchEngine::addPenalty(const PenaltySide& side) {
    Form& f = form_;
    const SportRules& r = rules();
    const QString fallback =
        r.penalties.empty() ? side.length.text : lengthBoxText(r.penalties.front().seconds);
    if (side.list.size() >= kMaxPenalties) {
        dialogs_.messageBox(
            tr("Die Strafenliste von %1 ist voll: höchstens %2 Strafen je Mannschaft.\r\n\r\n"
               "Eine verbüßte, beendete oder entfernte Strafe macht Platz.")
                .arg(side.name.text)
                .arg(kMaxPenalties),
            tr("Strafe"), Icon::None, Buttons::Ok);
        return;
    }
    const std::optional<double> clock = readClock(f.D_Min.text, f.D_Sec.text);
    if (!clock) {
        refuseUnreadableClock(tr(" beim Starten der Strafe:"));
        return;
    }
    const QString& typed = side.length.text;
    const std::optional<double> minutes = readNumber(typed);
    // At least a whole second, at most what the display's minutes show.
    if (!minutes || *minutes <= 0 || *minutes > 99 || std::lround(*minutes * 60) < 1) {
        showFailure(dialogs_, tr("Strafe kontrollieren"),
                    minutes ? kFaultInvalidArgument : kFaultTypeMismatch,
                    tr(" beim Starten der Strafe:"),
                    minutes ? tr("\"%1\" ist keine Länge über 0 bis 99 Minuten").arg(typed)
                            : notANumberDescription(typed),
                    tr("Länge der Strafe in Min eingeben"));
        side.length.text = fallback;
        return;
    }
    static const QRegularExpression playerNumber(QStringLiteral("^\\s*([0-9]{1,2})\\s*$"));
    const QRegularExpressionMatch m = playerNumber.match(side.number.text);
    const int number = m.hasMatch() ? m.captured(1).toInt() : 0;
    if (!side.number.text.trimmed().isEmpty() && number == 0) {
        showFailure(dialogs_, tr("Strafe kontrollieren"), kFaultInvalidArgument,
                    tr(" beim Starten der Strafe:"),
                    tr("\"%1\" ist keine Spielernummer von 1 bis 99").arg(side.number.text),
                    tr("Nummer von 1 bis 99 eingeben oder das Feld leer lassen"));
        side.number.text.clear();
        return;
    }
    const long long now = clamped(*clock);
    const int length = static_cast<int>(std::lround(*minutes * 60));
    if (!fitsInt16(static_cast<double>(f.Mode_up.checked ? now + length : now - length))) {
        refusePenaltyOverflow();
        return;
    }
    const PenaltyKind kind = r.penaltyKind(length);
    side.list.push_back(
        {++f.PenaltyCount, number, length, false, 0, kind.reducesTeam, kind.endsOnGoal});
    const int id = side.list.back().id;
    startWaiting(side, now, false);
    const auto given = std::find_if(side.list.begin(), side.list.end(),
                                    [id](const ListedPenalty& p) { return p.id == id; });
    f.LogPending = true;
    report(EventKind::PenaltyGiven, &side, &*given, given->running ? QString() : tr("wartet"));
    side.number.text.clear();
    showPenalties(side, now);
}

std::vector<int> MatchEngine::startWaiting(const PenaltySide& side, long long from, bool announce) {
    const int limit = rules().maxRunning;
    std::vector<int> started;
    for (ListedPenalty& p : side.list) {
        if (p.running || (p.reducesTeam && limit > 0 && runningReducing(side.list) >= limit))
            continue;
        startPenalty(p, from);
        if (announce) {
            logAt(tr("Strafe beginnt: %1 %2").arg(numbered(p), side.name.text));
            report(EventKind::PenaltyStarted, &side, &p);
        }
        started.push_back(p.id);
    }
    return started;
}

void MatchEngine::servePenalties(const PenaltySide& side, long long clock) {
    for (;;) {
        // Of the penalties the clock has passed, the one served first.
        auto served = side.list.end();
        for (auto it = side.list.begin(); it != side.list.end(); ++it)
            if (it->running && toServe(*it, clock) <= 0 &&
                (served == side.list.end() || toServe(*it, clock) < toServe(*served, clock)))
                served = it;
        if (served == side.list.end())
            return;
        const ListedPenalty p = *served;
        side.list.erase(served);
        logAt(tr("Strafe verbüßt: %1 %2").arg(numbered(p), side.name.text));
        report(EventKind::PenaltyServed, &side, &p);
        // The next one starts at the moment of match time the served one ended.
        startWaiting(side, p.endSec, true);
    }
}

void MatchEngine::endChosen(const PenaltySide& side, bool remove) {
    const int index = side.box.index;
    if (index < 0 || index >= static_cast<int>(side.list.size())) {
        dialogs_.messageBox(
            tr("Bitte zuerst eine Strafe in der Liste von %1 wählen.").arg(side.name.text),
            tr("Strafe"), Icon::None, Buttons::Ok);
        return;
    }
    const ListedPenalty p = side.list[static_cast<size_t>(index)];
    side.list.erase(side.list.begin() + index);
    side.box.index = -1;
    logAt((remove ? tr("Strafe entfernt: %1 %2") : tr("Strafe beendet: %1 %2"))
              .arg(numbered(p), side.name.text));
    report(remove ? EventKind::PenaltyRemoved : EventKind::PenaltyEnded, &side, &p);
    if (p.running)
        startWaiting(side, clockSeconds(), true);
    showSport();
}

void MatchEngine::penaltyEndL_Click() {
    endChosen(leftPenalty(), false);
}

void MatchEngine::penaltyEndR_Click() {
    endChosen(rightPenalty(), false);
}

void MatchEngine::penaltyRemoveL_Click() {
    endChosen(leftPenalty(), true);
}

void MatchEngine::penaltyRemoveR_Click() {
    endChosen(rightPenalty(), true);
}

// A goal against a team that plays short by more penalties than the scorers ends, of its
// penalties that a goal ends, the one that would end first.
void MatchEngine::goalScored(bool left) {
    if (rules().free())
        return;
    const PenaltySide scorers = side(left);
    const PenaltySide other = side(!left);
    if (runningReducing(other.list) <= runningReducing(scorers.list))
        return;
    const long long now = clockSeconds();
    auto first = other.list.end();
    for (auto it = other.list.begin(); it != other.list.end(); ++it)
        if (it->running && it->endsOnGoal &&
            (first == other.list.end() || toServe(*it, now) < toServe(*first, now)))
            first = it;
    if (first == other.list.end())
        return;
    const ListedPenalty p = *first;
    other.list.erase(first);
    logAt(tr("Strafe endet mit dem Tor: %1 %2").arg(numbered(p), other.name.text));
    report(EventKind::PenaltyEnded, &other, &p, tr("Tor"));
    startWaiting(other, now, true);
    showPenalties(other, now);
}

std::vector<MatchEngine::PenaltyView> MatchEngine::views(const PenaltySide& side,
                                                         long long clock) const {
    std::vector<PenaltyView> views;
    for (const ListedPenalty& p : side.list)
        views.push_back(
            {p.number, p.running ? std::max(0LL, toServe(p, clock)) : p.lengthSec, p.running});
    return views;
}

std::vector<MatchEngine::PenaltyView> MatchEngine::penaltyViews(bool left) {
    return views(side(left), clockSeconds());
}

long long MatchEngine::clockSeconds() const {
    const std::optional<double> clock = readClock(form_.D_Min.text, form_.D_Sec.text);
    if (clock)
        return clamped(*clock);
    // Boxes the operator left unreadable: the clock as it last stood.
    const CountKind kind = form_.Mode_down.checked ? CountKind::ClockDown : CountKind::ClockUp;
    return shownMs(form_.ClockMs, kind) / 1000;
}

void MatchEngine::settlePenalties() {
    const int limit = rules().maxRunning;
    if (rules().free())
        return;
    for (const PenaltySide& side : {leftPenalty(), rightPenalty()}) {
        for (auto it = side.list.rbegin();
             limit > 0 && runningReducing(side.list) > limit && it != side.list.rend(); ++it)
            if (it->running && it->reducesTeam)
                it->running = false;
        startWaiting(side, clockSeconds(), false);
    }
}

void MatchEngine::carryPenalties(long long from, long long to) {
    for (const PenaltySide& side : {leftPenalty(), rightPenalty()})
        for (ListedPenalty& p : side.list)
            if (p.running) {
                const long long left = std::max(0LL, toServe(p, from));
                const long long end = form_.Mode_up.checked ? to + left : to - left;
                p.endSec = static_cast<int>(std::clamp(end, kInt16Min, kInt16Max));
            }
}

// The list box, and the side's half of the display: the penalty that ends first, and where it
// fits how many more of the side's penalties run or wait (" 1:55+2 ").
void MatchEngine::showPenalties(const PenaltySide& side, long long clock) {
    QStringList items;
    for (const PenaltyView& v : views(side, clock))
        items << QStringLiteral("%1  %2:%3%4")
                     .arg(v.number ? QStringLiteral("#%1").arg(v.number) : QStringLiteral("#-"),
                          twoDigits(v.toServe / 60), twoDigits(v.toServe % 60),
                          v.running ? QString() : tr("  wartet"));
    const ListedPenalty* first = nullptr;
    for (const ListedPenalty& p : side.list)
        if (p.running && (first == nullptr || toServe(p, clock) < toServe(*first, clock)))
            first = &p;
    if (side.box.items != items) {
        side.box.items = items;
        side.box.notes = QStringList(items.size(), QString());
    }
    if (side.box.index >= items.size())
        side.box.index = -1;
    side.penalty.running = first != nullptr;
    side.text.visible = first != nullptr;
    if (first == nullptr)
        return;
    side.penalty.endMin = first->endSec / 60;
    side.penalty.endSec = first->endSec % 60;
    const long long left = toServe(*first, clock);
    const auto others = static_cast<long long>(side.list.size()) - 1;
    QString shown = penaltyText(side, static_cast<double>(clock));
    if (others > 0 && left < kCountFits) {
        const QString compact = QStringLiteral("%1:%2+%3")
                                    .arg(std::max(0LL, left) / 60)
                                    .arg(twoDigits(std::max(0LL, left) % 60))
                                    .arg(others);
        shown = side.left ? QLatin1Char(' ') + compact : compact + QLatin1Char(' ');
    }
    side.text.text = shown;
}

} // namespace ml
