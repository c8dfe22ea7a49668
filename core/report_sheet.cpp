#include "core/report_sheet.h"

#include <algorithm>
#include <optional>

namespace ml {

namespace {

// 0 for the home side, 1 for the guest side, nothing for an event of neither.
std::optional<std::size_t> sideOf(const RecordedEvent& e) {
    if (e.side == QLatin1String("home"))
        return 0;
    if (e.side == QLatin1String("guest"))
        return 1;
    return std::nullopt;
}

// "3:2" as the two scores; nothing for a score that is no such pair.
std::optional<std::array<int, 2>> scores(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(':'));
    bool a = false;
    bool b = false;
    std::array<int, 2> s{parts.value(0).toInt(&a), parts.value(1).toInt(&b)};
    if (parts.size() != 2 || !a || !b)
        return std::nullopt;
    return s;
}

bool is(const RecordedEvent& e, const char* counts) {
    return e.counts == QLatin1String(counts);
}

// How a penalty of the record ended: the last of its player's ends (served, ended early,
// removed) before the player's next penalty; nothing while it runs. A double minor ends twice.
const RecordedEvent* penaltyOutcome(const MatchReport& r, std::size_t given) {
    const RecordedEvent& p = r.events[given];
    const RecordedEvent* outcome = nullptr;
    for (std::size_t i = given + 1; i < r.events.size(); ++i) {
        const RecordedEvent& e = r.events[i];
        if (e.side != p.side || e.number != p.number || e.withdrawn)
            continue;
        if (is(e, "penalty"))
            break;
        if (is(e, "penaltyServed") || is(e, "penaltyEnded") || is(e, "penaltyRemoved"))
            outcome = &e;
    }
    return outcome;
}

QString outcomeText(const RecordedEvent* e) {
    if (e == nullptr)
        return {};
    if (is(*e, "penaltyRemoved"))
        return QCoreApplication::translate("ml::ReportSheet", "entfernt");
    return (is(*e, "penaltyEnded") ? QCoreApplication::translate("ml::ReportSheet", "beendet %1")
                                   : QCoreApplication::translate("ml::ReportSheet", "verbüßt %1"))
        .arg(elapsedText(e->elapsed));
}

SheetChart chart(const MatchReport& r) {
    SheetChart c;
    std::array<int, 2> last{0, 0};
    for (std::size_t side : {0u, 1u})
        c.steps[side].push_back({0, 0});
    for (std::size_t i = 0; i < r.events.size(); ++i) {
        const RecordedEvent& e = r.events[i];
        if (e.elapsed < 0)
            continue;
        c.length = std::max(c.length, e.elapsed);
        if (is(e, "periodEnd") && !e.withdrawn)
            c.periodEnds.push_back(e.elapsed);
        if (is(e, "penalty") && !e.withdrawn)
            if (const auto side = sideOf(e)) {
                const RecordedEvent* end = penaltyOutcome(r, i);
                c.penalties.push_back(
                    {int(*side), e.elapsed,
                     end && end->elapsed >= e.elapsed ? end->elapsed : e.elapsed + e.seconds});
            }
        // A goal taken back never stood.
        const auto now = scores(e.score);
        if (!now || e.withdrawn)
            continue;
        for (std::size_t side : {0u, 1u}) {
            if ((*now)[side] == last[side])
                continue;
            last[side] = (*now)[side];
            c.steps[side].push_back({e.elapsed, last[side]});
            c.maxScore = std::max(c.maxScore, last[side]);
        }
    }
    for (const ChartBar& bar : c.penalties)
        c.length = std::max(c.length, bar.to);
    // A minute beyond the last entry, so that the lines' last steps stand clear of the edge.
    c.length = (c.length / 60 + 1) * 60;
    return c;
}

// ", verwarnt #3, #7, disqualifiziert #9 (Bericht)"; empty without cards.
QString cardsText(const SideSums& s) {
    QStringList warned;
    for (const auto& [number, count] : s.warnings)
        warned << (count > 1 ? QStringLiteral("#%1 ×%2").arg(number).arg(count)
                             : QStringLiteral("#%1").arg(number));
    QStringList out;
    for (int number : s.disqualified)
        out << QStringLiteral("#%1").arg(number) +
                   (std::count(s.reported.begin(), s.reported.end(), number)
                        ? QCoreApplication::translate("ml::ReportSheet", " (Bericht)")
                        : QString());
    QString text;
    if (!warned.isEmpty())
        text += QCoreApplication::translate("ml::ReportSheet", ", verwarnt %1")
                    .arg(warned.join(QStringLiteral(", ")));
    if (!out.isEmpty())
        text += QCoreApplication::translate("ml::ReportSheet", ", disqualifiziert %1")
                    .arg(out.join(QStringLiteral(", ")));
    return text;
}

} // namespace

QString minutesText(int seconds) {
    return seconds % 60 == 0 ? QString::number(seconds / 60)
                             : QString::number(seconds / 60.0, 'f', 1);
}

QString elapsedText(int seconds) {
    if (seconds < 0)
        return {};
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString scorerText(const RecordedEvent& e) {
    if (e.number == 0)
        return {};
    QStringList assists;
    for (int a : e.assists)
        assists << QString::number(a);
    return QStringLiteral("#%1").arg(e.number) +
           (assists.isEmpty() ? QString()
                              : QStringLiteral(" (%1)").arg(assists.join(QStringLiteral(", "))));
}

std::array<SideSums, 2> sideSums(const MatchReport& r) {
    std::array<SideSums, 2> sums;
    for (const RecordedEvent& e : r.events) {
        const auto side = sideOf(e);
        if (!side || e.withdrawn)
            continue;
        SideSums& s = sums[*side];
        s.goals += is(e, "goal") - is(e, "goalBack");
        s.timeouts += is(e, "timeout");
        s.fouls += is(e, "foul");
        if (is(e, "penalty")) {
            ++s.penalties;
            s.penaltySeconds += e.seconds;
            s.playerSeconds[e.number] += e.seconds;
        }
        if (is(e, "warning"))
            ++s.warnings[e.number];
        if (is(e, "disqualification"))
            s.disqualified.push_back(e.number);
        if (is(e, "blueCard"))
            s.reported.push_back(e.number);
    }
    return sums;
}

QString periodScores(const MatchReport& r) {
    QStringList parts;
    QString period;
    std::array<int, 2> before{0, 0};
    std::array<int, 2> now{0, 0};
    const auto close = [&] {
        if (!period.isEmpty())
            parts << QStringLiteral("%1:%2").arg(now[0] - before[0]).arg(now[1] - before[1]);
        before = now;
    };
    for (const RecordedEvent& e : r.events) {
        if (e.period.isEmpty() || e.withdrawn)
            continue;
        if (e.period != period) {
            close();
            period = e.period;
        }
        if (const auto s = scores(e.score))
            now = *s;
    }
    // The period under way ends at the score as it stands.
    if (const auto s = scores(r.score))
        now = *s;
    close();
    return parts.join(QStringLiteral(", "));
}

ReportSheet reportSheet(const MatchReport& r) {
    ReportSheet sheet;
    sheet.title = QCoreApplication::translate("ml::ReportSheet", "Spielbericht");
    sheet.home = r.home;
    sheet.guest = r.guest;
    sheet.colours = {sideColour(r.homeColour, 0), sideColour(r.guestColour, 1)};
    QStringList first{r.sport, r.date};
    if (!r.hall.isEmpty())
        first << r.hall;
    sheet.head << first.join(QStringLiteral(" · "))
               << QCoreApplication::translate("ml::ReportSheet", "%1 – %2   %3")
                      .arg(r.home, r.guest, r.score);
    if (const QString periods = periodScores(r); !periods.isEmpty())
        sheet.head << QCoreApplication::translate("ml::ReportSheet", "Abschnitte: %1").arg(periods);

    const auto team = [&r](const RecordedEvent& e) {
        const auto side = sideOf(e);
        return !side ? e.team : *side == 0 ? r.home : r.guest;
    };
    const auto mark = [](const RecordedEvent& e, QString text) {
        return e.withdrawn
                   ? text + QCoreApplication::translate("ml::ReportSheet", " (zurückgenommen)")
                   : text;
    };
    SheetTable goals{QCoreApplication::translate("ml::ReportSheet", "Tore"),
                     {QCoreApplication::translate("ml::ReportSheet", "Zeit"),
                      QCoreApplication::translate("ml::ReportSheet", "Abschnitt"),
                      QCoreApplication::translate("ml::ReportSheet", "Mannschaft"),
                      QCoreApplication::translate("ml::ReportSheet", "Torschütze"),
                      QCoreApplication::translate("ml::ReportSheet", "Vorlagen"),
                      QCoreApplication::translate("ml::ReportSheet", "Stand")},
                     {}};
    SheetTable penalties{QCoreApplication::translate("ml::ReportSheet", "Strafen"),
                         {QCoreApplication::translate("ml::ReportSheet", "Zeit"),
                          QCoreApplication::translate("ml::ReportSheet", "Abschnitt"),
                          QCoreApplication::translate("ml::ReportSheet", "Mannschaft"),
                          QCoreApplication::translate("ml::ReportSheet", "Spieler"),
                          QCoreApplication::translate("ml::ReportSheet", "Dauer"),
                          QCoreApplication::translate("ml::ReportSheet", "Ende")},
                         {}};
    SheetTable others{QCoreApplication::translate("ml::ReportSheet", "Timeouts und Fouls"),
                      {QCoreApplication::translate("ml::ReportSheet", "Zeit"),
                       QCoreApplication::translate("ml::ReportSheet", "Abschnitt"),
                       QCoreApplication::translate("ml::ReportSheet", "Mannschaft"),
                       QCoreApplication::translate("ml::ReportSheet", "Ereignis")},
                      {}};
    for (std::size_t i = 0; i < r.events.size(); ++i) {
        const RecordedEvent& e = r.events[i];
        const QString at = elapsedText(e.elapsed);
        if (is(e, "goal")) {
            QStringList assists;
            for (int a : e.assists)
                assists << QString::number(a);
            goals.rows.push_back({at, e.period, team(e),
                                  mark(e, e.number ? QString::number(e.number) : QString()),
                                  assists.join(QStringLiteral(", ")), e.score});
        } else if (is(e, "penalty")) {
            penalties.rows.push_back(
                {at, e.period, team(e), e.number ? QString::number(e.number) : QString(),
                 mark(e, QCoreApplication::translate("ml::ReportSheet", "%1 min")
                             .arg(minutesText(e.seconds))),
                 outcomeText(penaltyOutcome(r, i))});
        } else if (is(e, "warning") || is(e, "disqualification") || is(e, "blueCard")) {
            // A card stands among the penalties, where a sheet writes it: its kind for a length.
            const QString card =
                is(e, "warning") ? QCoreApplication::translate("ml::ReportSheet", "Verwarnung")
                : is(e, "blueCard")
                    ? QCoreApplication::translate("ml::ReportSheet", "Blaue Karte")
                    : QCoreApplication::translate("ml::ReportSheet", "Disqualifikation");
            penalties.rows.push_back(
                {at, e.period, team(e), QString::number(e.number), mark(e, card), QString()});
        } else if (is(e, "timeout") || is(e, "foul")) {
            others.rows.push_back({at, e.period, team(e), mark(e, e.what)});
        }
    }
    sheet.tables = {goals, penalties};
    if (!others.rows.empty())
        sheet.tables.push_back(others);

    const std::array<SideSums, 2> sums = sideSums(r);
    for (std::size_t side : {0u, 1u}) {
        const SideSums& s = sums[side];
        QStringList players;
        for (const auto& [number, seconds] : s.playerSeconds)
            players << (number ? QStringLiteral("#%1").arg(number)
                               : QCoreApplication::translate("ml::ReportSheet", "Bank")) +
                           QLatin1Char(' ') + minutesText(seconds);
        sheet.sums << QCoreApplication::translate("ml::ReportSheet",
                                                  "%1: %2 Tore, %3 Strafminuten%4, %5 Timeouts%6")
                          .arg(
                              side == 0 ? r.home : r.guest, QString::number(s.goals),
                              minutesText(s.penaltySeconds),
                              players.isEmpty()
                                  ? QString()
                                  : QStringLiteral(" (%1)").arg(players.join(QStringLiteral(", "))),
                              QString::number(s.timeouts),
                              s.fouls ? QCoreApplication::translate("ml::ReportSheet", ", %1 Fouls")
                                            .arg(s.fouls)
                                      : QString());
        if (s.cards() > 0)
            sheet.sums.back() += cardsText(s);
    }
    sheet.signatures = {QCoreApplication::translate("ml::ReportSheet", "Zeitnehmer"),
                        QCoreApplication::translate("ml::ReportSheet", "Schreiber")};
    sheet.chart = chart(r);
    return sheet;
}

} // namespace ml
