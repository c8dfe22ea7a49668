#pragma once

// Penalties under a sport's rules: each side's list, who serves when, coincident penalties, a
// power-play goal, and the list box and display text of each side.

#include "match/match_context.h"
#include "match/team_side.h"

#include <optional>
#include <vector>

namespace ml {

class ClockCount;
class Penalties;
class Periods;

// A penalty of a side's list as the window lists it: its player's number (0: none), its time to
// serve in whole seconds as it shows (a waiting one's whole length), and whether it cancels for
// strength with one of the other side.
struct PenaltyView {
    int number;
    long long toServe;
    bool running;
    bool coincident;
};

class PenaltyLists {
    Q_DECLARE_TR_FUNCTIONS(PenaltyLists)

  public:
    PenaltyLists(MatchContext& context, ClockCount& count, Penalties& penalties, Periods& periods);

    // A penalty of the length in the side's box, for the player in its "Nr." box.
    void addPenalty(const TeamSide& side) { addPenalty(side, false); }
    // A direct disqualification (red card) of the player in the side's "Nr." box, under rules
    // that give cards: out for the rest of the match, the team short for the sport's first
    // penalty length (IHF 16:8).
    void disqualify(const TeamSide& side);
    // The chosen penalty of a side's list ends before its time, or leaves the list.
    void penaltyEndL_Click();
    void penaltyEndR_Click();
    void penaltyRemoveL_Click();
    void penaltyRemoveR_Click();
    // A goal of the left (or right) team: the rules may end a penalty of the other one.
    void goalScored(bool left);
    // Serves what the clock has passed on both sides and shows what is left.
    void advance();
    // After a step taken back or done again: no more of a side's penalties run than the rules
    // allow, and none waits while a place is free.
    void settlePenalties();
    // Running penalties keep what they have still to serve when the clock is set anew.
    void carryPenalties(qint64 from, qint64 to);
    void showPenalties(const TeamSide& side, qint64 clock);
    std::vector<PenaltyView> penaltyViews(bool left);

  private:
    void addPenalty(const TeamSide& side, bool red);
    // A length as given: the seconds of one penalty and how many follow one another (2 for a
    // double minor).
    struct GivenLength {
        int seconds;
        int parts;
    };
    std::optional<GivenLength> penaltyLength(const TeamSide& side);
    // Counts a penalty of player `number`; true when it disqualifies the player.
    bool notePenalty(const TeamSide& side, int number, int parts, const PenaltyKind& kind,
                     bool red);
    void markCoincident(const TeamSide& side, const std::vector<int>& ids, qint64 now);
    void forgetPenalty(const TeamSide& side, const ListedPenalty& p, qint64 now);
    // Time still to serve of a running penalty at the clock value `clockMs` (0 or below when
    // served).
    qint64 toServe(const ListedPenalty& p, qint64 clockMs) const;
    // Starts `p` so that it is served `p.lengthSec` after the clock value `fromMs`.
    void startPenalty(ListedPenalty& p, qint64 fromMs) const;
    // Serves what the clock has passed and lets waiting penalties follow, at `clock`.
    void servePenalties(const TeamSide& side, qint64 clock);
    // Starts the waiting penalties that may run now, from the clock value `from`, the player's
    // next one of `gone` (a penalty that has just left the list) first; with `announce` each is
    // logged and reported as one that waited.
    void startWaiting(const TeamSide& side, qint64 from, bool announce,
                      const ListedPenalty* gone = nullptr);
    void settle(const TeamSide& side, qint64 now);
    // The chosen entry of a side's list ends (by the timekeeper) or, with `remove`, goes.
    void endChosen(const TeamSide& side, bool remove);
    std::vector<PenaltyView> views(const TeamSide& side, qint64 clock) const;
    TeamSide side(bool left) const { return teamSide(form_, left); }
    const SportRules& rules() const { return context_.rules(); }

    MatchContext& context_;
    Form& form_;
    ClockCount& count_;
    Penalties& penalties_;
    Periods& periods_;
};

} // namespace ml
