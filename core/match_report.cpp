#include "core/match_report.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace ml {

namespace {

// A CSV cell: quoted when it holds the separator, a quote or a line break; a leading sign that a
// spreadsheet would take for a formula is defused.
QString csvCell(QString text) {
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return QLatin1Char('"') + text.replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
               QLatin1Char('"');
    return text;
}

// How many of a team's events count as `what` ("penalty", "timeout").
int counted(const MatchReport& r, const QString& team, const char* what) {
    int n = 0;
    for (const RecordedEvent& e : r.events)
        n += e.team == team && e.counts == QLatin1String(what);
    return n;
}

// Fouls are summed only where the match counted them.
bool fouled(const MatchReport& r) {
    return std::any_of(r.events.begin(), r.events.end(),
                       [](const RecordedEvent& e) { return e.counts == QLatin1String("foul"); });
}

QString csv(const MatchReport& r) {
    QString text =
        QChar(0xFEFF) + QCoreApplication::translate(
                            "ml::MatchReport",
                            "Spielbericht;\r\nDatum;%1\r\nSportart;%2\r\nMannschaft links;%3\r\n"
                            "Mannschaft rechts;%4\r\nEndstand;%5\r\nSpielzeit;%6\r\n\r\n"
                            "Abschnitt;Zeit;Spielzeit;Mannschaft;Ereignis;Stand\r\n")
                            .arg(r.date, csvCell(r.sport), csvCell(r.home), csvCell(r.guest),
                                 csvCell(r.score), csvCell(r.clock));
    for (const RecordedEvent& e : r.events)
        text += QStringList{csvCell(e.period), csvCell(e.time), csvCell(e.clock),
                            csvCell(e.team),   csvCell(e.what), csvCell(e.score)}
                    .join(QLatin1Char(';')) +
                QStringLiteral("\r\n");
    const auto n = [&r](const QString& team, const char* what) {
        return QString::number(counted(r, team, what));
    };
    text += QCoreApplication::translate("ml::MatchReport",
                                        "\r\n;%1;%2\r\nStrafen;%3;%4\r\nTimeouts;%5;%6\r\n")
                .arg(csvCell(r.home), csvCell(r.guest), n(r.home, "penalty"), n(r.guest, "penalty"),
                     n(r.home, "timeout"), n(r.guest, "timeout"));
    if (fouled(r))
        text += QCoreApplication::translate("ml::MatchReport", "Fouls;%1;%2\r\n")
                    .arg(n(r.home, "foul"), n(r.guest, "foul"));
    return text;
}

QString plainText(const MatchReport& r) {
    QString text = QCoreApplication::translate(
                       "ml::MatchReport", "Spielbericht\nDatum: %1\nSportart: %2\nMannschaften: "
                                          "%3 - %4\nEndstand: %5\nSpielzeit: %6\n")
                       .arg(r.date, r.sport, r.home, r.guest, r.score, r.clock);
    QString period = QStringLiteral("\n");
    for (const RecordedEvent& e : r.events) {
        if (e.period != period) {
            period = e.period;
            text += QLatin1Char('\n') + (period.isEmpty() ? QString() : period + QLatin1Char('\n'));
        }
        text += QStringLiteral("  %1 %2 %3  %4\n")
                    .arg(e.time, e.clock.rightJustified(6), e.score.rightJustified(7),
                         e.team.isEmpty() ? e.what : e.team + QStringLiteral(": ") + e.what);
    }
    const auto n = [&r](const QString& team, const char* what) {
        return QString::number(counted(r, team, what));
    };
    text += QCoreApplication::translate("ml::MatchReport",
                                        "\nStrafen: %1 %2, %3 %4\nTimeouts: %1 %5, %3 %6\n")
                .arg(r.home, n(r.home, "penalty"), r.guest, n(r.guest, "penalty"),
                     n(r.home, "timeout"), n(r.guest, "timeout"));
    if (fouled(r))
        text += QCoreApplication::translate("ml::MatchReport", "Fouls: %1 %2, %3 %4\n")
                    .arg(r.home, n(r.home, "foul"), r.guest, n(r.guest, "foul"));
    return text;
}

} // namespace

QByteArray reportBytes(const MatchReport& report, ReportFormat format) {
    return (format == ReportFormat::Csv ? csv(report) : plainText(report)).toUtf8();
}

QString reportName(const QString& isoDate, const QString& home, const QString& guest) {
    QString name = QStringLiteral("%1 %2 - %3").arg(isoDate, home.trimmed(), guest.trimmed());
    for (QChar& c : name)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    return name;
}

} // namespace ml
