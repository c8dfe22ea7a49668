// Penalties under a sport's rules: each side keeps a list of them in the order given. A penalty
// belongs to its player, who serves one at a time: the next begins at the moment of match time
// the one before is served or ended. As many of a side's penalties run as the rules allow (those
// that make the team play short count); the others wait and start, in their order, at the moment
// a place is free. Equal penalties of both sides at the same moment may cancel for strength
// (coincident). A served penalty leaves the list by itself. The display shows the one that ends
// first. Who plays short is counted from what runs, never kept beside it.

#include "match/penalty_lists.h"

#include "form/captions.h"
#include "form/number_text.h"
#include "match/clock_count.h"
#include "match/failure_box.h"
#include "match/fouls.h"
#include "match/penalties.h"
#include "match/periods.h"
#include "match/player_number.h"
#include "match/time_values.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace ml {

namespace {

// Up to this time to serve (in seconds) the display has room for the count of the side's other
// penalties.
constexpr long long kCountFits = 600;

QString twoDigits(long long v) {
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

// Time to serve as it shows: whole seconds, rounded up, so that it turns with the clock.
long long shownSeconds(qint64 ms) {
    return ms <= 0 ? 0 : (ms + 999) / 1000;
}

// Whether `p` makes its team play one short now.
bool makesShort(const ListedPenalty& p) {
    return p.running && p.reducesTeam && p.coincidentWith == 0;
}

int shortBy(const PenaltyList& list) {
    return static_cast<int>(std::count_if(list.begin(), list.end(), makesShort));
}

QString numbered(const ListedPenalty& p) {
    return p.number ? QStringLiteral("#%1").arg(p.number) : QStringLiteral("#-");
}

// The order in which one player serves penalties: as given; of the same moment those that reduce
// the team before personal ones (IIHF: a misconduct after the time penalties given with it; IFF
// 603.5: a personal penalty once the bench penalties are served) and the longer first (IIHF: a
// major before a minor).
bool servedBefore(const ListedPenalty& a, const ListedPenalty& b) {
    return std::tuple(a.givenMs, !a.reducesTeam, -a.lengthSec, a.id) <
           std::tuple(b.givenMs, !b.reducesTeam, -b.lengthSec, b.id);
}

// Whether `p` must wait for another penalty of the list: the one it follows, or its player's
// running one or one the player serves before it.
bool blocked(const PenaltyList& list, const ListedPenalty& p) {
    return std::any_of(list.begin(), list.end(), [&p](const ListedPenalty& q) {
        return q.id != p.id && (q.id == p.after || (p.number != 0 && q.number == p.number &&
                                                    (q.running || servedBefore(q, p))));
    });
}

ListedPenalty* withId(PenaltyList& list, int id) {
    const auto it =
        std::find_if(list.begin(), list.end(), [id](const ListedPenalty& p) { return p.id == id; });
    return it == list.end() ? nullptr : &*it;
}

} // namespace

PenaltyLists::PenaltyLists(MatchContext& context, ClockCount& count, Penalties& penalties,
                           Periods& periods)
    : context_(context), form_(context.form), count_(count), penalties_(penalties),
      periods_(periods) {}

qint64 PenaltyLists::toServe(const ListedPenalty& p, qint64 clockMs) const {
    return form_.Mode_up.checked ? p.endMs - clockMs : clockMs - p.endMs;
}

void PenaltyLists::startPenalty(ListedPenalty& p, qint64 fromMs) const {
    const qint64 length = p.lengthSec * 1000LL;
    p.running = true;
    p.endMs = form_.Mode_up.checked ? fromMs + length : fromMs - length;
}

// The length box read as the rules take it: minutes, or under a sport with double minors "2+2"
// (and its 4 minutes), two of the first kind. Nothing, after the failure box, for a length the
// rules do not take.
std::optional<PenaltyLists::GivenLength> PenaltyLists::penaltyLength(const TeamSide& side) {
    const SportRules& r = rules();
    const PenaltyRules& rules = r.penalties;
    const QString& typed = side.length.text;
    const QString fallback =
        rules.kinds.empty() ? typed : lengthBoxText(rules.kinds.front().seconds);
    const auto refuse = [&](int fault, const QString& why) {
        showFailure(context_.dialogs, tr("Strafe kontrollieren"), fault,
                    tr(" beim Starten der Strafe:"), why, tr("Länge der Strafe in Min eingeben"));
        side.length.text = fallback;
        return std::nullopt;
    };
    const bool doubles = rules.doubleMinor && !rules.kinds.empty();
    const int minor = doubles ? rules.kinds.front().seconds : 0;
    static const QRegularExpression sum(QStringLiteral("^\\s*([^+]*)\\+([^+]*)$"));
    if (const QRegularExpressionMatch m = sum.match(typed); m.hasMatch()) {
        const std::optional<double> a = readNumber(m.captured(1));
        const std::optional<double> b = readNumber(m.captured(2));
        if (!doubles)
            return refuse(
                kFaultInvalidArgument,
                tr("\"%1\": eine doppelte kleine Strafe kennt %2 nicht").arg(typed, r.title()));
        if (!a || !b || std::lround(*a * 60) != minor || std::lround(*b * 60) != minor)
            return refuse(kFaultInvalidArgument,
                          tr("\"%1\": als doppelte kleine Strafe kennt %2 nur %3+%3")
                              .arg(typed, r.title(), numberText(minor / 60.0)));
        return GivenLength{minor, 2};
    }
    const std::optional<double> minutes = readNumber(typed);
    // At least a whole second, at most what the display's minutes show.
    if (!minutes || *minutes <= 0 || *minutes > 99 || std::lround(*minutes * 60) < 1)
        return refuse(minutes ? kFaultInvalidArgument : kFaultTypeMismatch,
                      minutes ? tr("\"%1\" ist keine Länge über 0 bis 99 Minuten").arg(typed)
                              : notANumberDescription(typed));
    const int length = static_cast<int>(std::lround(*minutes * 60));
    const bool named = std::any_of(rules.kinds.begin(), rules.kinds.end(),
                                   [length](const PenaltyKind& k) { return k.seconds == length; });
    if (doubles && !named && length == 2 * minor)
        return GivenLength{minor, 2};
    return GivenLength{length, 1};
}

void PenaltyLists::disqualify(const TeamSide& side) {
    const SportRules& r = rules();
    if (r.penalties.kinds.empty())
        return;
    // The team serves the sport's first length, whatever the box holds for the next penalty.
    const QString typed = side.length.text;
    side.length.text = lengthBoxText(r.penalties.kinds.front().seconds);
    addPenalty(side, true);
    side.length.text = typed;
}

void PenaltyLists::addPenalty(const TeamSide& side, bool red) {
    Form& f = form_;
    const SportRules& r = rules();
    const std::optional<double> clock = readClock(f.D_Min.text, f.D_Sec.text);
    if (!clock) {
        count_.refuseUnreadableClock(tr(" beim Starten der Strafe:"));
        return;
    }
    const std::optional<GivenLength> length = penaltyLength(side);
    if (!length)
        return;
    if (side.list.size() + size_t(length->parts) > kMaxPenalties) {
        context_.dialogs.messageBox(
            tr("Die Strafenliste von %1 ist voll: höchstens %2 Strafen je Mannschaft.\r\n\r\n"
               "Eine verbüßte, beendete oder entfernte Strafe macht Platz.")
                .arg(side.name.text)
                .arg(kMaxPenalties),
            tr("Strafe"), Icon::None, Buttons::Ok);
        return;
    }
    const std::optional<int> typed = playerNumber(
        side, context_.dialogs, tr("Strafe kontrollieren"), tr(" beim Starten der Strafe:"));
    if (!typed)
        return;
    const int number = *typed;
    const qint64 now = count_.clockMs();
    const long long total = static_cast<long long>(length->seconds) * length->parts;
    const long long nowSec = now / 1000;
    if (!fitsInt16(static_cast<double>(f.Mode_up.checked ? nowSec + total : nowSec - total))) {
        penalties_.refuseOverflow();
        return;
    }
    if (number != 0 && side.players[number].sentOff &&
        context_.dialogs.messageBox(tr("#%1 von %2 ist vom Spiel ausgeschlossen.\r\n\r\n"
                                       "Trotzdem eine Strafe geben?")
                                        .arg(number)
                                        .arg(side.name.text),
                                    tr("Strafe"), Icon::None, Buttons::YesNo,
                                    Answer::No) != Answer::Yes)
        return;
    const PenaltyKind kind = r.penaltyKind(length->seconds);
    const qint64 given = periods_.matchMs(now);
    std::vector<int> ids;
    for (int part = 0; part < length->parts; ++part) {
        side.list.push_back({++f.PenaltyCount, number, length->seconds, false, 0, given,
                             kind.reducesTeam, kind.endsOnGoal, 0, ids.empty() ? 0 : ids.back()});
        ids.push_back(side.list.back().id);
    }
    // The player's penalties begun at this very moment take their order anew: a major given
    // with a minor is served first, a personal one after the time penalties.
    for (ListedPenalty& p : side.list)
        if (number != 0 && p.number == number && p.running &&
            toServe(p, now) == p.lengthSec * 1000LL)
            p.running = false;
    markCoincident(side, ids, now);
    startWaiting(side, now, false);
    f.LogPending = true;
    const ListedPenalty* first = withId(side.list, ids.front());
    QStringList notes;
    if (length->parts == 2)
        notes << QStringLiteral("%1+%1").arg(numberText(length->seconds / 60.0));
    if (!first->running)
        notes << tr("wartet");
    if (first->coincidentWith != 0 || withId(side.list, ids.back())->coincidentWith != 0)
        notes << tr("gleichzeitig");
    const bool disqualified = number != 0 && notePenalty(side, number, length->parts, kind, red);
    if (disqualified)
        notes << tr("Disqualifikation");
    ListedPenalty whole = *first;
    whole.lengthSec = static_cast<int>(total);
    context_.report(EventKind::PenaltyGiven, &side, &whole, notes.join(QStringLiteral(", ")));
    if (disqualified)
        context_.report(EventKind::Disqualification, &side, &whole,
                        red ? tr("rote Karte")
                            : tr("%1. Strafe").arg(side.players[number].penalties));
    side.number.text.clear();
    periods_.showSport();
    if (red) {
        context_.logAt(tr("Disqualifikation (rote Karte): #%1 %2").arg(number).arg(side.name.text));
        const bool reported =
            context_.dialogs.messageBox(
                tr("#%1 von %2 ist disqualifiziert (rote Karte); die Mannschaft spielt %3 "
                   "Minuten in Unterzahl.\r\n\r\nFolgt ein schriftlicher Bericht (blaue Karte)?")
                    .arg(number)
                    .arg(side.name.text)
                    .arg(numberText(length->seconds / 60.0)),
                tr("Disqualifikation"), Icon::None, Buttons::YesNo, Answer::No) == Answer::Yes;
        if (reported) {
            side.players[number].reported = true;
            context_.logAt(tr("Blaue Karte: #%1 %2").arg(number).arg(side.name.text));
            context_.report(EventKind::BlueCard, &side, &whole);
            periods_.showSport();
        }
    } else if (disqualified) {
        context_.logAt(tr("Disqualifikation: #%1 %2").arg(number).arg(side.name.text));
        context_.dialogs.messageBox(tr("#%1 von %2: %3. Strafe im Spiel – disqualifiziert.\r\n\r\n"
                                       "Die Mannschaft spielt die Strafe in Unterzahl; der Spieler "
                                       "spielt nicht mehr mit.")
                                        .arg(number)
                                        .arg(side.name.text)
                                        .arg(r.penalties.disqualifyAfter),
                                    tr("Disqualifikation"), Icon::None, Buttons::Ok);
    }
}

// The player's penalties counted; true when this one is the one that disqualifies (IHF 16:6 b:
// the third suspension of the same player). A kind that sends off sends the player off.
bool PenaltyLists::notePenalty(const TeamSide& side, int number, int parts, const PenaltyKind& kind,
                               bool red) {
    PlayerMarks& m = side.players[number];
    const int limit = rules().penalties.disqualifyAfter;
    const bool reached =
        red || (limit > 0 && m.penalties < limit && m.penalties + parts >= limit && !m.sentOff);
    m.penalties += parts;
    m.sentOff = m.sentOff || reached || kind.sendsOff;
    return reached;
}

// Equal penalties of both sides at the same moment cancel for strength (IIHF 16, Table 14): each
// new one finds the other side's latest one of the same length given then and not yet paired.
void PenaltyLists::markCoincident(const TeamSide& side, const std::vector<int>& ids, qint64 now) {
    if (!rules().penalties.coincident)
        return;
    const TeamSide other = this->side(!side.left);
    bool paired = false;
    for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
        ListedPenalty* p = withId(side.list, *id);
        ListedPenalty* match = nullptr;
        for (ListedPenalty& q : other.list)
            if (q.coincidentWith == 0 && q.reducesTeam && p->reducesTeam &&
                q.givenMs == p->givenMs && q.lengthSec == p->lengthSec)
                match = &q;
        if (match == nullptr)
            continue;
        p->coincidentWith = match->id;
        match->coincidentWith = p->id;
        paired = true;
    }
    // The other side's penalty no longer takes a place: one waiting there may start.
    if (paired)
        startWaiting(other, now, true);
}

void PenaltyLists::startWaiting(const TeamSide& side, qint64 from, bool announce,
                                const ListedPenalty* gone) {
    const int limit = rules().penalties.maxRunning;
    std::vector<ListedPenalty*> waiting;
    for (ListedPenalty& p : side.list)
        if (!p.running)
            waiting.push_back(&p);
    // The player's next penalty takes the place of the one that has gone before any other.
    const auto follows = [gone](const ListedPenalty* p) {
        return gone != nullptr &&
               (p->after == gone->id || (gone->number != 0 && p->number == gone->number));
    };
    std::stable_partition(waiting.begin(), waiting.end(), follows);
    for (ListedPenalty* p : waiting) {
        if (blocked(side.list, *p) ||
            (p->reducesTeam && p->coincidentWith == 0 && limit > 0 && shortBy(side.list) >= limit))
            continue;
        startPenalty(*p, from);
        if (announce) {
            context_.logAt(tr("Strafe beginnt: %1 %2").arg(numbered(*p), side.name.text));
            context_.report(EventKind::PenaltyStarted, &side, p);
        }
    }
}

void PenaltyLists::servePenalties(const TeamSide& side, qint64 clock) {
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
        context_.logAt(tr("Strafe verbüßt: %1 %2").arg(numbered(p), side.name.text));
        context_.report(EventKind::PenaltyServed, &side, &p);
        // The next one starts at the moment of match time the served one ended.
        startWaiting(side, p.endMs, true, &p);
    }
}

void PenaltyLists::endChosen(const TeamSide& side, bool remove) {
    const int index = side.box.index;
    if (index < 0 || index >= static_cast<int>(side.list.size())) {
        context_.dialogs.messageBox(
            tr("Bitte zuerst eine Strafe in der Liste von %1 wählen.").arg(side.name.text),
            tr("Strafe"), Icon::None, Buttons::Ok);
        return;
    }
    const ListedPenalty p = side.list[static_cast<size_t>(index)];
    side.list.erase(side.list.begin() + index);
    side.box.index = -1;
    context_.logAt((remove ? tr("Strafe entfernt: %1 %2") : tr("Strafe beendet: %1 %2"))
                       .arg(numbered(p), side.name.text));
    context_.report(remove ? EventKind::PenaltyRemoved : EventKind::PenaltyEnded, &side, &p);
    const qint64 now = count_.clockMs();
    if (remove)
        forgetPenalty(side, p, now);
    startWaiting(side, now, true, &p);
    periods_.showSport();
}

// A penalty given by mistake counts for nothing: its player's count goes back (and with it a
// disqualification it made), and its coincident one makes its team short again.
void PenaltyLists::forgetPenalty(const TeamSide& side, const ListedPenalty& p, qint64 now) {
    if (p.number != 0 && side.players.count(p.number) != 0) {
        PlayerMarks& m = side.players[p.number];
        const int limit = rules().penalties.disqualifyAfter;
        if (limit > 0 && m.penalties == limit)
            m.sentOff = false;
        m.penalties = std::max(0, m.penalties - 1);
    }
    const TeamSide other = this->side(!side.left);
    if (ListedPenalty* partner = withId(other.list, p.coincidentWith)) {
        partner->coincidentWith = 0;
        settle(other, now);
    }
}

void PenaltyLists::penaltyEndL_Click() {
    endChosen(side(true), false);
}

void PenaltyLists::penaltyEndR_Click() {
    endChosen(side(false), false);
}

void PenaltyLists::penaltyRemoveL_Click() {
    endChosen(side(true), true);
}

void PenaltyLists::penaltyRemoveR_Click() {
    endChosen(side(false), true);
}

// A power-play goal (IIHF, IFF 603, futsal Law 3): when the scorers had more players on the
// ice than the team scored against, of that team's running penalties that a goal ends (not
// counting coincident ones) the one that would end first ends; its player's next one starts
// whole. A short-handed goal ends nothing.
void PenaltyLists::goalScored(bool left) {
    if (rules().free())
        return;
    const TeamSide scorers = side(left);
    const TeamSide other = side(!left);
    if (shortBy(other.list) <= shortBy(scorers.list))
        return;
    const qint64 now = count_.clockMs();
    auto first = other.list.end();
    for (auto it = other.list.begin(); it != other.list.end(); ++it)
        if (makesShort(*it) && it->endsOnGoal &&
            (first == other.list.end() || toServe(*it, now) < toServe(*first, now)))
            first = it;
    if (first == other.list.end())
        return;
    const ListedPenalty p = *first;
    other.list.erase(first);
    context_.logAt(tr("Strafe endet mit dem Tor: %1 %2").arg(numbered(p), other.name.text));
    context_.report(EventKind::PenaltyEnded, &other, &p, tr("Tor"));
    startWaiting(other, now, true, &p);
    showPenalties(other, now);
}

std::vector<PenaltyView> PenaltyLists::views(const TeamSide& side, qint64 clock) const {
    std::vector<PenaltyView> views;
    for (const ListedPenalty& p : side.list)
        views.push_back({p.number, p.running ? shownSeconds(toServe(p, clock)) : p.lengthSec,
                         p.running, p.coincidentWith != 0});
    return views;
}

std::vector<PenaltyView> PenaltyLists::penaltyViews(bool left) {
    return views(side(left), count_.clockMs());
}

// One player serves one penalty at a time, no more of a side's penalties run than the rules
// allow, and none waits while it may run.
void PenaltyLists::settle(const TeamSide& side, qint64 now) {
    const int limit = rules().penalties.maxRunning;
    for (ListedPenalty& p : side.list)
        if (std::any_of(side.list.begin(), side.list.end(), [&p](const ListedPenalty& q) {
                return q.id != p.id && (q.id == p.after || (p.number != 0 && q.number == p.number &&
                                                            servedBefore(q, p)));
            }))
            p.running = false;
    for (auto it = side.list.rbegin();
         limit > 0 && shortBy(side.list) > limit && it != side.list.rend(); ++it)
        if (makesShort(*it))
            it->running = false;
    startWaiting(side, now, false);
}

void PenaltyLists::advance() {
    const qint64 now = count_.clockMs();
    for (const TeamSide& side : {this->side(true), this->side(false)}) {
        servePenalties(side, now);
        showPenalties(side, now);
    }
}

void PenaltyLists::settlePenalties() {
    if (rules().free())
        return;
    for (const TeamSide& side : {this->side(true), this->side(false)})
        settle(side, count_.clockMs());
}

void PenaltyLists::carryPenalties(qint64 from, qint64 to) {
    for (const TeamSide& side : {this->side(true), this->side(false)})
        for (ListedPenalty& p : side.list)
            if (p.running) {
                const qint64 left = std::max<qint64>(0, toServe(p, from));
                p.endMs = form_.Mode_up.checked ? to + left : to - left;
            }
}

// The list box, and the side's half of the display: the penalty that ends first, and where it
// fits how many more of the side's penalties run or wait (" 1:55+2 "). Below the penalties the
// list names the side's players sent off and, where the rules count them, their fouls.
void PenaltyLists::showPenalties(const TeamSide& side, qint64 clock) {
    const SportRules& r = rules();
    QStringList items;
    for (const PenaltyView& v : views(side, clock))
        items << QStringLiteral("%1  %2:%3%4%5")
                     .arg(v.number ? QStringLiteral("#%1").arg(v.number) : QStringLiteral("#-"),
                          twoDigits(v.toServe / 60), twoDigits(v.toServe % 60),
                          v.running ? QString() : tr("  wartet"),
                          v.coincident ? tr("  gleichzeitig") : QString());
    for (const auto& [number, m] : side.players) {
        const bool fouls = r.fouls.playerLimit > 0 && m.fouls > 0;
        if (!fouls && !m.sentOff && m.warnings == 0)
            continue;
        items << QStringLiteral("#%1%2%3%4%5")
                     .arg(number)
                     .arg(fouls ? QStringLiteral("  ") + Fouls::count(m.fouls) : QString(),
                          m.warnings ? tr("  verwarnt") : QString(),
                          m.sentOff ? tr("  ausgeschlossen") : QString(),
                          m.reported ? tr("  Bericht") : QString());
    }
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
    side.penalty.endMin = static_cast<int>(first->endMs / 60000);
    side.penalty.endSec = static_cast<int>(first->endMs / 1000 % 60);
    const long long left = shownSeconds(toServe(*first, clock));
    const auto others = static_cast<long long>(side.list.size()) - 1;
    const QString shown =
        others > 0 && left < kCountFits
            ? QStringLiteral("%1:%2+%3").arg(left / 60).arg(twoDigits(left % 60)).arg(others)
            : twoDigits(left / 60) + QLatin1Char(':') + twoDigits(left % 60);
    side.text.text = side.left ? QLatin1Char(' ') + shown : shown + QLatin1Char(' ');
}

} // namespace ml
