#pragma once

// What the engine tells the match record: one event of the match as it happens. The record adds
// the time, the period, the team's name and the score after it.

#include <QString>

#include <optional>

namespace ml {

enum class EventKind {
    PenaltyGiven,
    // A penalty that waited for a place begins.
    PenaltyStarted,
    PenaltyServed,
    // Ended before its time: by the timekeeper, or by a goal against the short team.
    PenaltyEnded,
    // Taken out of the list (given by mistake).
    PenaltyRemoved,
    Timeout,
    BreakStarted,
    BreakEnded,
    PeriodStarted,
    PeriodEnded,
    // No period follows: "Spielende".
    MatchEnded,
    // A team foul, of a player when the number is given.
    Foul,
    // A player's warning (yellow card), disqualification (red card, or the penalty that is one
    // too many) and the written report that follows a red card (blue card).
    Warning,
    Disqualification,
    BlueCard,
    ClockStarted,
    ClockStopped,
};

// The side an event belongs to: the left (home) or right (guest) team, or none.
enum class EventSide { None, Left, Right };

struct MatchEvent {
    EventKind kind;
    EventSide side = EventSide::None;
    int number = 0;
    int lengthSec = 0;
    // A word more: why a penalty ended, that one waits, a timeout given against the rules, how
    // many fouls a team has.
    QString note;
    // A penalty served, and the next one that starts then: its own moment of match time (the
    // match clock's exact value in milliseconds), which may lie behind the clock's now when the
    // program notices it late (the first tick after a resume).
    std::optional<qint64> clockMs = std::nullopt;
};

} // namespace ml
