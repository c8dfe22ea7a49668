#include "core/match_report.h"

#include "core/report_sheet.h"

#include <QCoreApplication>
#include <QRegularExpression>
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

// Fouls are summed only where the match counted them.
bool fouled(const MatchReport& r) {
    return std::any_of(r.events.begin(), r.events.end(),
                       [](const RecordedEvent& e) { return e.counts == QLatin1String("foul"); });
}

// What happened, as the report's line says it: an entry taken back marked, a goal with its
// numbers where no column of their own holds them.
// Cards are summed only where the match gave any.
bool carded(const std::array<SideSums, 2>& s) {
    return s[0].cards() + s[1].cards() > 0;
}

QString whatText(const RecordedEvent& e, bool numbers) {
    QString what = e.what;
    if (numbers && e.counts == QLatin1String("goal") && e.number != 0)
        what += QLatin1Char(' ') + scorerText(e);
    if (e.withdrawn)
        what += QCoreApplication::translate("ml::ReportSheet", " (zurückgenommen)");
    return what;
}

QString n(int count) {
    return QString::number(count);
}

int warningCount(const SideSums& s) {
    int count = 0;
    for (const auto& entry : s.warnings)
        count += entry.second;
    return count;
}

QString csv(const MatchReport& r) {
    QString text = QChar(0xFEFF) +
                   QCoreApplication::translate(
                       "ml::MatchReport",
                       "Spielbericht;\r\nDatum;%1\r\nSportart;%2\r\nMannschaft links;%3\r\n"
                       "Mannschaft rechts;%4\r\nEndstand;%5\r\nSpielzeit;%6\r\n\r\n"
                       "Abschnitt;Zeit;Spielzeit;Uhr;Mannschaft;Ereignis;Nr.;Vorlagen;Stand\r\n")
                       .arg(r.date, csvCell(r.sport), csvCell(r.home), csvCell(r.guest),
                            csvCell(r.score), csvCell(r.clock));
    for (const RecordedEvent& e : r.events) {
        QStringList assists;
        for (int a : e.assists)
            assists << QString::number(a);
        text += QStringList{csvCell(e.period),
                            csvCell(e.time),
                            elapsedText(e.elapsed),
                            csvCell(e.clock),
                            csvCell(e.team),
                            csvCell(whatText(e, false)),
                            e.number ? QString::number(e.number) : QString(),
                            assists.join(QStringLiteral(", ")),
                            csvCell(e.score)}
                    .join(QLatin1Char(';')) +
                QStringLiteral("\r\n");
    }
    const std::array<SideSums, 2> s = sideSums(r);
    text += QCoreApplication::translate(
                "ml::MatchReport",
                "\r\n;%1;%2\r\nStrafen;%3;%4\r\nStrafminuten;%5;%6\r\nTimeouts;%7;%8\r\n")
                .arg(csvCell(r.home), csvCell(r.guest), n(s[0].penalties), n(s[1].penalties),
                     minutesText(s[0].penaltySeconds), minutesText(s[1].penaltySeconds),
                     n(s[0].timeouts), n(s[1].timeouts));
    if (fouled(r))
        text += QCoreApplication::translate("ml::MatchReport", "Fouls;%1;%2\r\n")
                    .arg(n(s[0].fouls), n(s[1].fouls));
    if (carded(s))
        text += QCoreApplication::translate("ml::MatchReport",
                                            "Verwarnungen;%1;%2\r\nDisqualifikationen;%3;%4\r\n")
                    .arg(n(warningCount(s[0])), n(warningCount(s[1])),
                         n(int(s[0].disqualified.size())), n(int(s[1].disqualified.size())));
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
        text += QStringLiteral("  %1 %2 %3 %4  %5\n")
                    .arg(e.time, elapsedText(e.elapsed).rightJustified(6),
                         e.clock.rightJustified(6), e.score.rightJustified(7),
                         e.team.isEmpty() ? whatText(e, true)
                                          : e.team + QStringLiteral(": ") + whatText(e, true));
    }
    const std::array<SideSums, 2> s = sideSums(r);
    text += QCoreApplication::translate("ml::MatchReport",
                                        "\nStrafen: %1 %2, %3 %4\nStrafminuten: %1 %5, %3 %6\n"
                                        "Timeouts: %1 %7, %3 %8\n")
                .arg(r.home, n(s[0].penalties), r.guest, n(s[1].penalties),
                     minutesText(s[0].penaltySeconds), minutesText(s[1].penaltySeconds),
                     n(s[0].timeouts), n(s[1].timeouts));
    if (fouled(r))
        text += QCoreApplication::translate("ml::MatchReport", "Fouls: %1 %2, %3 %4\n")
                    .arg(r.home, n(s[0].fouls), r.guest, n(s[1].fouls));
    if (carded(s))
        text +=
            QCoreApplication::translate(
                "ml::MatchReport", "Verwarnungen: %1 %2, %3 %4\nDisqualifikationen: %1 %5, %3 %6\n")
                .arg(r.home, n(warningCount(s[0])), r.guest, n(warningCount(s[1])),
                     n(int(s[0].disqualified.size())), n(int(s[1].disqualified.size())));
    return text;
}

} // namespace

QByteArray reportBytes(const MatchReport& report, ReportFormat format) {
    return (format == ReportFormat::Csv ? csv(report) : plainText(report)).toUtf8();
}

bool colourText(const QString& text) {
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{6}$"));
    return hex.match(text).hasMatch();
}

QString sideColour(const QString& chosen, int side) {
    return colourText(chosen) ? chosen : QString::fromLatin1(kStandardColours[side]);
}

QString reportName(const QString& isoDate, const QString& home, const QString& guest) {
    QString name = QStringLiteral("%1 %2 - %3").arg(isoDate, home.trimmed(), guest.trimmed());
    for (QChar& c : name)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    return name;
}

} // namespace ml
