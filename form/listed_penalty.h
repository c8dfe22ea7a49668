#pragma once

// A penalty of a side's list, as the form holds it: a type of its own for the table of the form's
// fields.

#include <cstddef>
#include <vector>

namespace ml {

// One penalty of a side's list while a sport's rules apply. It runs, or waits for a place while
// as many of the side's penalties run as the rules allow; served, it leaves the list.
struct ListedPenalty {
    // Tells it apart from every other penalty of the match; higher ids were given later.
    int id = 0;
    // The player's number, 1 to 99; 0 for none.
    int number = 0;
    int lengthSec = 120;
    bool running = false;
    // The match clock value in seconds at which a running one is served.
    int endSec = 0;
    // From the rules' kind of penalty: it makes the team play one short (and so counts against
    // the rules' limit), and a goal against the short team ends it.
    bool reducesTeam = true;
    bool endsOnGoal = false;
    bool operator==(const ListedPenalty&) const = default;
};
using PenaltyList = std::vector<ListedPenalty>;
// A side's list holds no more.
inline constexpr std::size_t kMaxPenalties = 8;

} // namespace ml
