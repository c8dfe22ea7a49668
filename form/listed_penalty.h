#pragma once

// A penalty of a side's list and what the match notes of a side's players, as the form holds
// them: types of their own for the table of the form's fields.

#include <QtGlobal>

#include <cstddef>
#include <map>
#include <vector>

namespace ml {

// One penalty of a side's list while a sport's rules apply. It runs, or waits: for a place while
// as many of the side's penalties run as the rules allow, or for its player's penalty before it
// (a player serves one penalty at a time). Served, it leaves the list.
struct ListedPenalty {
    // Tells it apart from every other penalty of the match; higher ids were given later.
    int id = 0;
    // The player's number, 1 to 99; 0 for none.
    int number = 0;
    int lengthSec = 120;
    bool running = false;
    // The match clock value in milliseconds at which a running one is served.
    qint64 endMs = 0;
    // The playing time of the match (from its start, across periods) at which it was given, in
    // milliseconds: penalties given at the same moment are served in the rules' order.
    qint64 givenMs = 0;
    // From the rules' kind of penalty: it makes the team play one short (and so counts against
    // the rules' limit), and a goal against the short team ends it.
    bool reducesTeam = true;
    bool endsOnGoal = false;
    // The penalty of the other side it cancels for strength (0: none): neither makes its team
    // short, none waits for a place, and no goal ends them.
    int coincidentWith = 0;
    // The penalty it follows (0: none): the second part of a double minor starts when the first
    // has gone, also without a player's number.
    int after = 0;
    bool operator==(const ListedPenalty&) const = default;
};
using PenaltyList = std::vector<ListedPenalty>;
// A side's list holds no more.
inline constexpr std::size_t kMaxPenalties = 8;

// What the match notes of one player of a side.
struct PlayerMarks {
    // Fouls in the match, where the rules count a player's fouls.
    int fouls = 0;
    // Penalties given in the match, where the rules send a player off after so many.
    int penalties = 0;
    // Out for the rest of the match (disqualified, sent off, fouled out).
    bool sentOff = false;
    // Warnings (yellow cards) in the match, where the rules give cards.
    int warnings = 0;
    // Disqualified with a written report to follow (the blue card after a red one).
    bool reported = false;
    bool operator==(const PlayerMarks&) const = default;
};
// A side's players by number (1 to 99), only those with something noted.
using PlayerSheet = std::map<int, PlayerMarks>;

} // namespace ml
