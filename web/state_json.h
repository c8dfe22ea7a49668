#pragma once

// The match as the web face shows it: one JSON object made from the form, the two counts and
// what the display line shows. GET /api/state and the feed at /live send it; docs/web.md lists
// every field. A pure function of its inputs, so it is tested without a network.

#include "core/match_record.h"
#include "display/led_font.h"
#include "display/line_decoder.h"
#include "form/form.h"
#include "match/match_engine.h"

#include <QJsonObject>

#include <array>

namespace ml::web {

// Raised whenever a field changes its meaning or goes away; new fields leave it alone.
inline constexpr int kFeedVersion = 1;

// A count as a browser runs it between two messages: while it runs, it stood at `ms` when the
// computer's clock read `atMs` (milliseconds since the epoch).
struct CountReading {
    bool running = false;
    qint64 ms = 0;
    qint64 atMs = 0;
};

struct ClockReadings {
    // The match clock.
    CountReading match;
    // A timeout's or a break's count-down.
    CountReading interruption;
};

// The match clock and the timeout or break count-down as they stand now: the one place where
// the web face reads the counts.
ClockReadings readClocks(Form& form, MatchEngine& match, const Clock& clock);

// What the display line shows, read back from its wire by the decoder.
struct LineView {
    std::array<QString, 2> rows;
    int brightness = 1;
    bool blinking = false;
    LedDots dots{};
};

// The decoder's state at `decoderNowMs` (its own clock), with `timeOfDay` in the place of a
// clock escape.
LineView lineView(const LineDecoder& decoder, qint64 decoderNowMs, const QString& timeOfDay);

// The sport's part of the match: the rules' name, each side's penalties as the window lists them,
// how fouls are counted, and the record of the match.
struct SportReadings {
    QString id = QStringLiteral("frei");
    QString name = QStringLiteral("Frei");
    // "1. Halbzeit"; empty without periods.
    QString period;
    std::array<std::vector<PenaltyView>, 2> penalties;
    bool timeouts = false;
    // The mark of a team at the rules' foul limit ("Bonus"), and the limit; fouls are counted
    // only with a limit.
    QString foulMark;
    int foulLimit = 0;
    QJsonArray record;
    // The lengths a penalty may have ("2", "2+2"), and whether a player's fouls are counted (a
    // foul names its player).
    QStringList penaltyLengths;
    bool playerFouls = false;
    // During a break, the period it leads to ("2. Halbzeit"); empty otherwise.
    QString next;
};

SportReadings readSport(MatchEngine& match, const MatchRecord& record);

QJsonObject stateJson(const Form& form, const ClockReadings& clocks, const LineView& line,
                      const SportReadings& sport = {});

} // namespace ml::web
