#pragma once

// The match report as the operator saves it ("Datei → Spielbericht speichern…"): a header with
// the date, the sport, the teams and the final score, then the record of the match grouped by
// period, and each team's penalties and timeouts counted. Plain text, or CSV for a spreadsheet.

#include <QByteArray>
#include <QString>

#include <vector>

namespace ml {

// The sides' colours where the club has chosen none: the overlay's red and blue.
inline constexpr const char* kStandardColours[2] = {"c8102e", "0033a0"};
// A colour as the settings keep it: six lower-case hex digits.
bool colourText(const QString& text);
// The side's colour (0 home, 1 guest): the club's own `chosen`, or the standard one.
QString sideColour(const QString& chosen, int side);

// One event of the match record.
struct RecordedEvent {
    QString time;
    // The period under way ("1. Halbzeit"); empty without periods.
    QString period;
    QString clock;
    // "home" or "guest" (the left or right team as the window showed them), or empty.
    QString side;
    // That team's name at the time.
    QString team;
    QString what;
    // The score after it, "3:2".
    QString score;
    // What it counts as in the report's sums: "penalty" for a penalty given, "timeout", "goal",
    // "foul".
    QString counts;
    // The match time run since the first period's start, in whole seconds, counting through
    // the periods; -1 where it is not known (a record kept by an earlier version).
    int elapsed = -1;
    // The player: a goal's scorer, a penalty's or a foul's player (0: none given).
    int number = 0;
    // A goal's assists, at most two.
    std::vector<int> assists;
    // A penalty's length in seconds.
    int seconds = 0;
    // Taken back by undo: it stays on the sheet, marked, and counts no more.
    bool withdrawn = false;
    bool operator==(const RecordedEvent&) const = default;
};

struct MatchReport {
    // "dd.MM.yyyy"
    QString date;
    QString sport;
    QString home;
    QString guest;
    // "3:2"
    QString score;
    // "19:59"
    QString clock;
    std::vector<RecordedEvent> events;
    // The hall, as the settings keep it (empty: none).
    QString hall = {};
    // The sides' colours as six hex digits ("c8102e"), the club's own or the standard ones.
    QString homeColour = QString::fromLatin1(kStandardColours[0]);
    QString guestColour = QString::fromLatin1(kStandardColours[1]);
};

enum class ReportFormat { Text, Csv, Pdf };

// The file's bytes of the text or the CSV (the PDF is drawn by `ReportPdf`): UTF-8; the text with
// LF line ends, the CSV with a byte order mark, ";" between cells and CR LF line ends, as
// spreadsheets read it.
QByteArray reportBytes(const MatchReport& report, ReportFormat format);

// The match time `seconds` as a scoresheet writes it: "61:05"; empty when not known.
QString elapsedText(int seconds);

// The name the report is offered under: "JJJJ-MM-TT Heim - Gegner", with characters that no
// file name may hold replaced.
QString reportName(const QString& isoDate, const QString& home, const QString& guest);

} // namespace ml
