#include "core/match_record.h"

#include "form/number_text.h"
#include "match/time_values.h"

#include <QJsonObject>
#include <QTime>

namespace ml {

namespace {

// A stored record holds no more events than a match could have.
constexpr qsizetype kMaxEvents = 5000;
// Players' numbers run from 1 to 99; a goal has at most two assists.
constexpr int kMaxNumber = 99;
constexpr std::size_t kMaxAssists = 2;

const char* const kKeys[] = {"time", "period", "clock", "side", "team", "what", "score", "counts"};

QString* slot(RecordedEvent& e, int i) {
    QString* fields[] = {&e.time, &e.period, &e.clock, &e.side,
                         &e.team, &e.what,   &e.score, &e.counts};
    return fields[i];
}

QString lengthText(int seconds) {
    return seconds % 60 == 0 ? MatchRecord::tr("%1 min").arg(seconds / 60)
                             : MatchRecord::tr("%1 s").arg(seconds);
}

} // namespace

MatchRecord::MatchRecord(Form& form, const Clock& clock, MatchEngine& match)
    : form_(form), clock_(clock), match_(match) {
    clear();
}

void MatchRecord::clear() {
    events_.clear();
    ++revision_;
    ++generation_;
    scoreL_ = form_.Pkt_l.text;
    scoreR_ = form_.Pkt_r.text;
    endsChanged_ = form_.EndsChanged;
}

RecordedEvent& MatchRecord::push(EventSide side, const QString& what, const QString& counts,
                                 std::optional<qint64> clockMs) {
    const Form& f = form_;
    const SportRules& rules = match_.rules();
    RecordedEvent e;
    e.time = clock_.timeOfDay();
    e.period = rules.free() ? QString() : rules.periodTitle(std::max(1, f.PeriodNumber));
    e.clock = f.D_Min.text + QLatin1Char(':') + f.D_Sec.text;
    if (clockMs) {
        // The second the match clock showed then.
        const auto at = static_cast<double>(floorDiv(
            shownMs(*clockMs, f.Mode_up.checked ? CountKind::ClockUp : CountKind::ClockDown),
            1000));
        e.clock = minutesText(at, true) + QLatin1Char(':') + secondsText(at);
        // The match time that has run since it happened ran on the time of day alike.
        const std::optional<double> now = readClock(f.D_Min.text, f.D_Sec.text);
        const double since = !now ? 0 : f.Mode_up.checked ? *now - at : at - *now;
        if (f.ClockRunning && since >= 1)
            e.time = QTime::fromString(e.time, QStringLiteral("HH:mm:ss"))
                         .addSecs(-static_cast<int>(since))
                         .toString(QStringLiteral("HH:mm:ss"));
    }
    // The record names the teams as they began: after a change of ends the home team is right.
    if (side != EventSide::None) {
        e.side = (side == EventSide::Left) != f.EndsChanged ? QStringLiteral("home")
                                                            : QStringLiteral("guest");
        e.team = side == EventSide::Left ? f.Text_l.text : f.Text_r.text;
    }
    e.what = what;
    e.score = f.EndsChanged ? f.Pkt_r.text + QLatin1Char(':') + f.Pkt_l.text
                            : f.Pkt_l.text + QLatin1Char(':') + f.Pkt_r.text;
    e.counts = counts;
    e.elapsed = static_cast<int>(match_.elapsedMs(clockMs) / 1000);
    if (events_.size() >= size_t(kMaxEvents)) {
        spare_ = std::move(e);
        return spare_;
    }
    ++revision_;
    return events_.emplace_back(std::move(e));
}

void MatchRecord::afterStep() {
    const Form& f = form_;
    // A change of ends moves names and scores together: no goal.
    const bool swapped = f.EndsChanged != endsChanged_;
    if (!swapped && !restoring_) {
        for (const auto& [now, before, side] :
             {std::tuple{&f.Pkt_l.text, &scoreL_, EventSide::Left},
              std::tuple{&f.Pkt_r.text, &scoreR_, EventSide::Right}}) {
            if (*now == *before)
                continue;
            const std::optional<double> a = readNumber(*before);
            const std::optional<double> b = readNumber(*now);
            const double step = a && b ? *b - *a : 0;
            // A typed score is a correction, whatever it adds: no goal.
            const bool goal = step == 1 && !typed_;
            const bool back = step == -1 && !typed_;
            push(side,
                 goal   ? tr("Tor")
                 : back ? tr("Tor zurückgenommen")
                        : tr("Korrektur"),
                 goal   ? QStringLiteral("goal")
                 : back ? QStringLiteral("goalBack")
                        : QString());
        }
    }
    typed_ = false;
    scoreL_ = f.Pkt_l.text;
    scoreR_ = f.Pkt_r.text;
    endsChanged_ = f.EndsChanged;
}

void MatchRecord::add(const MatchEvent& event) {
    afterStep();
    const Form& f = form_;
    const SportRules& rules = match_.rules();
    const QString penalty =
        tr("Strafe %1").arg(event.number ? QStringLiteral("#%1 ").arg(event.number) : QString());
    const QString note = event.note.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(event.note);
    const QString period =
        rules.free() ? QString() : rules.periodTitle(std::max(1, f.PeriodNumber));
    const std::size_t before = revision_;
    switch (event.kind) {
    case EventKind::PenaltyGiven:
        push(event.side, penalty + lengthText(event.lengthSec) + note, QStringLiteral("penalty"))
            .seconds = event.lengthSec;
        break;
    case EventKind::PenaltyStarted:
        push(event.side, penalty + tr("beginnt"), {}, event.clockMs);
        break;
    case EventKind::PenaltyServed:
        push(event.side, penalty + tr("verbüßt"), QStringLiteral("penaltyServed"), event.clockMs);
        break;
    case EventKind::PenaltyEnded:
        push(event.side, penalty + tr("beendet") + note, QStringLiteral("penaltyEnded"));
        break;
    case EventKind::PenaltyRemoved:
        push(event.side, penalty + tr("entfernt"), QStringLiteral("penaltyRemoved"));
        break;
    case EventKind::Timeout:
        push(event.side, tr("Timeout") + note, QStringLiteral("timeout"));
        break;
    case EventKind::BreakStarted:
        push(event.side, tr("Pause"));
        break;
    case EventKind::BreakEnded:
        push(event.side, tr("Pause zu Ende"));
        break;
    case EventKind::PeriodStarted:
        push(event.side, tr("Beginn %1").arg(period));
        break;
    case EventKind::PeriodEnded:
        push(event.side, tr("Ende %1").arg(period), QStringLiteral("periodEnd"));
        break;
    case EventKind::MatchEnded:
        push(event.side, tr("Spielende"));
        break;
    case EventKind::Foul:
        push(event.side,
             tr("Foul%1").arg(event.number ? QStringLiteral(" #%1").arg(event.number) : QString()) +
                 note,
             QStringLiteral("foul"));
        break;
    case EventKind::Warning:
        push(event.side, tr("Verwarnung #%1").arg(event.number) + note, QStringLiteral("warning"));
        break;
    case EventKind::Disqualification:
        push(event.side, tr("Disqualifikation #%1").arg(event.number) + note,
             QStringLiteral("disqualification"));
        break;
    case EventKind::BlueCard:
        push(event.side, tr("Blaue Karte #%1").arg(event.number), QStringLiteral("blueCard"));
        break;
    case EventKind::ClockStarted:
        push(event.side, tr("Uhr läuft"));
        break;
    case EventKind::ClockStopped:
        push(event.side, tr("Uhr steht"));
        break;
    }
    // Every entry of a player carries the number.
    if (revision_ != before)
        events_.back().number = event.number;
}

std::optional<QString> MatchRecord::setNumbers(std::size_t index, int scorer,
                                               const std::vector<int>& assists) {
    if (index >= events_.size() || events_[index].counts != QLatin1String("goal"))
        return tr("Kein Tor gewählt");
    for (int n : assists)
        if (n < 1 || n > kMaxNumber)
            return tr("Nr. %1 gibt es nicht (1–99)").arg(n);
    if (scorer < 0 || scorer > kMaxNumber || (scorer == 0 && !assists.empty()))
        return tr("Nr. %1 gibt es nicht (1–99)").arg(scorer);
    const int allowed = match_.rules().assists;
    if (std::ssize(assists) > allowed)
        return allowed == 0 ? tr("%1 kennt keine Vorlagen").arg(match_.rules().title())
                            : tr("Höchstens %1 Vorlagen").arg(allowed);
    for (std::size_t i = 0; i < assists.size(); ++i)
        if (assists[i] == scorer || (i == 1 && assists[0] == assists[1]))
            return tr("#%1 steht zweimal").arg(assists[i]);
    RecordedEvent& e = events_[index];
    if (e.number == scorer && e.assists == assists)
        return std::nullopt;
    e.number = scorer;
    e.assists = assists;
    ++revision_;
    return std::nullopt;
}

std::optional<std::size_t> MatchRecord::lastGoal(bool left) const {
    const QString side =
        left != form_.EndsChanged ? QStringLiteral("home") : QStringLiteral("guest");
    for (std::size_t i = events_.size(); i-- > 0;)
        if (events_[i].counts == QLatin1String("goal") && events_[i].side == side &&
            !events_[i].withdrawn)
            return i;
    return std::nullopt;
}

MatchRecord::Mark MatchRecord::mark() {
    afterStep();
    return {generation_, events_.size()};
}

void MatchRecord::withdraw(const Mark& from, const Mark& to, bool withdrawn) {
    if (from.generation != generation_ || to.generation != generation_)
        return;
    for (std::size_t i = from.size; i < std::min(to.size, events_.size()); ++i) {
        RecordedEvent& e = events_[i];
        if (e.counts.isEmpty() || e.withdrawn == withdrawn)
            continue;
        e.withdrawn = withdrawn;
        ++revision_;
    }
}

QJsonArray MatchRecord::toJson() const {
    if (jsonRevision_ == revision_)
        return json_;
    QJsonArray list;
    for (RecordedEvent e : events_) {
        QJsonObject o;
        for (int i = 0; i < int(std::size(kKeys)); ++i)
            o.insert(QLatin1String(kKeys[i]), *slot(e, i));
        o.insert(QStringLiteral("elapsed"), e.elapsed);
        o.insert(QStringLiteral("number"), e.number);
        QJsonArray assists;
        for (int a : e.assists)
            assists.append(a);
        o.insert(QStringLiteral("assists"), assists);
        o.insert(QStringLiteral("seconds"), e.seconds);
        o.insert(QStringLiteral("withdrawn"), e.withdrawn);
        list.append(o);
    }
    json_ = list;
    jsonRevision_ = revision_;
    return list;
}

void MatchRecord::restore(const QJsonArray& stored) {
    clear();
    for (const QJsonValue& v : stored) {
        if (events_.size() >= size_t(kMaxEvents))
            break;
        const QJsonObject o = v.toObject();
        RecordedEvent e;
        bool whole = true;
        for (int i = 0; i < int(std::size(kKeys)); ++i) {
            const QJsonValue text = o.value(QLatin1String(kKeys[i]));
            whole = whole && text.isString() && text.toString().size() <= 200;
            *slot(e, i) = text.toString();
        }
        // Kept by an earlier version without them, or out of bounds: as if not given.
        const auto within = [&o](const char* key, int low, int high, int otherwise) {
            const int n = o.value(QLatin1String(key)).toInt(otherwise);
            return n < low || n > high ? otherwise : n;
        };
        e.elapsed = within("elapsed", 0, 99 * 3600, -1);
        e.number = within("number", 0, kMaxNumber, 0);
        e.seconds = within("seconds", 0, 99 * 3600, 0);
        e.withdrawn = o.value(QLatin1String("withdrawn")).toBool();
        for (const QJsonValue a : o.value(QLatin1String("assists")).toArray())
            if (a.toInt() >= 1 && a.toInt() <= kMaxNumber && e.assists.size() < kMaxAssists)
                e.assists.push_back(a.toInt());
        if (whole) {
            events_.push_back(std::move(e));
            ++revision_;
        }
    }
}

} // namespace ml
