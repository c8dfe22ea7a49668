#pragma once

// The match report as the operator saves it ("Datei → Spielbericht speichern…"): a header with
// the date, the teams, the score and the clock, then every line of the match record, oldest
// first. Plain text, or CSV for a spreadsheet.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ml {

struct MatchReport {
    // "dd.MM.yyyy"
    QString date;
    QString home;
    QString guest;
    // "3:2"
    QString score;
    // "19:59"
    QString clock;
    // The record's lines, oldest first: time of day, " +++", what happened.
    QStringList lines;
};

enum class ReportFormat { Text, Csv };

// The file's bytes: UTF-8; the text with LF line ends, the CSV with a byte order mark, ";"
// between cells and CR LF line ends, as spreadsheets read it.
QByteArray reportBytes(const MatchReport& report, ReportFormat format);

} // namespace ml
