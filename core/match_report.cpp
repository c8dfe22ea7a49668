#include "core/match_report.h"

#include <QCoreApplication>

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

QString csv(const MatchReport& r) {
    QString text =
        QChar(0xFEFF) +
        QCoreApplication::translate("ml::MatchReport",
                                    "Spielbericht;\r\nDatum;%1\r\nMannschaft links;%2\r\n"
                                    "Mannschaft rechts;%3\r\nStand;%4\r\nSpielzeit;%5\r\n\r\n"
                                    "Zeit;Meldung\r\n")
            .arg(r.date, csvCell(r.home), csvCell(r.guest), csvCell(r.score), csvCell(r.clock));
    // A line is the time of day, " +++" and what happened; a line without the mark is all text.
    for (const QString& line : r.lines) {
        const qsizetype mark = line.indexOf(QLatin1String(" +++"));
        const QString time = mark < 0 ? QString() : line.left(mark);
        const QString what = mark < 0 ? line : line.mid(mark + 4).trimmed();
        text += csvCell(time) + QLatin1Char(';') + csvCell(what) + QStringLiteral("\r\n");
    }
    return text;
}

QString plainText(const MatchReport& r) {
    return QCoreApplication::translate("ml::MatchReport",
                                       "Spielbericht\nDatum: %1\nMannschaften: %2 - %3\nStand: %4\n"
                                       "Spielzeit: %5\n\n")
               .arg(r.date, r.home, r.guest, r.score, r.clock) +
           r.lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

QByteArray reportBytes(const MatchReport& report, ReportFormat format) {
    return (format == ReportFormat::Csv ? csv(report) : plainText(report)).toUtf8();
}

} // namespace ml
