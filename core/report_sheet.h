#pragma once

// What the printed scoresheet holds, worked out from the match report: the head, the goals, the
// penalties, the timeouts and fouls, the sums, the lines to sign and the match as a chart's data.
// Plain data: the drawing belongs to the window, so this is checked without a display.

#include "core/match_report.h"

#include <QCoreApplication>
#include <QStringList>

#include <array>
#include <map>
#include <vector>

namespace ml {

// What a side's entries add up to; taken-back entries count nothing.
struct SideSums {
    int goals = 0;
    int penalties = 0;
    int penaltySeconds = 0;
    int timeouts = 0;
    int fouls = 0;
    // Penalty seconds by player number (0: the bench).
    std::map<int, int> playerSeconds;
    // Where the rules give cards: warnings by player, the players disqualified, and of them those
    // with a written report (blue card).
    std::map<int, int> warnings;
    std::vector<int> disqualified;
    std::vector<int> reported;
    int cards() const { return int(warnings.size() + disqualified.size()); }
};

// The sums of the home side [0] and the guest side [1], by the side an entry belongs to (not by
// the team's name, which may change during the match).
std::array<SideSums, 2> sideSums(const MatchReport& report);

// A table of the sheet: its title, the heads of its columns and its rows.
struct SheetTable {
    QString title;
    QStringList head;
    std::vector<QStringList> rows;
};

// The score of a side from `seconds` of match time on.
struct ChartStep {
    int seconds = 0;
    int score = 0;
    bool operator==(const ChartStep&) const = default;
};

// A penalty of a side as a bar along the time axis, from `from` to `to` seconds.
struct ChartBar {
    int side = 0;
    int from = 0;
    int to = 0;
    bool operator==(const ChartBar&) const = default;
};

// The match as a chart: each side's score over the match time, the periods' ends and the
// penalties.
struct SheetChart {
    // The time axis' length in seconds.
    int length = 60;
    std::array<std::vector<ChartStep>, 2> steps;
    std::vector<int> periodEnds;
    std::vector<ChartBar> penalties;
    int maxScore = 0;
};

struct ReportSheet {
    QString title;
    // The teams' names as they stand at the end, and their colours (six hex digits).
    QString home, guest;
    std::array<QString, 2> colours;
    // The head's lines: the sport, date and hall; the teams and the final score; the score per
    // period.
    QStringList head;
    std::vector<SheetTable> tables;
    QStringList sums;
    // The officials who sign: "Zeitnehmer", "Schreiber".
    QStringList signatures;
    SheetChart chart;
};

ReportSheet reportSheet(const MatchReport& report);

// Minutes as a sheet writes them: "4", "0.5".
QString minutesText(int seconds);

// The score per period: "1:0, 0:2, 1:1" (empty without periods).
QString periodScores(const MatchReport& report);

// A goal's numbers as the sheet writes them: "#17 (5, 8)"; empty without a scorer.
QString scorerText(const RecordedEvent& event);

} // namespace ml
