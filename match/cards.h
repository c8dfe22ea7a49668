#pragma once

// Handball's cards under a sport that gives them: a player's warning (yellow), with the rules'
// limits asked before one too many is noted, and the direct disqualification (red, and the blue
// card of a written report), which the penalty lists serve as the team's time short.

#include "match/match_context.h"
#include "match/team_side.h"

namespace ml {

class PenaltyLists;
class Periods;

class Cards {
    Q_DECLARE_TR_FUNCTIONS(Cards)

  public:
    Cards(MatchContext& context, PenaltyLists& lists, Periods& periods);

    // A warning, or a disqualification, of the left (or right) team's player whose number
    // stands in the side's "Nr." box.
    void warningL_Click();
    void warningR_Click();
    void redCardL_Click();
    void redCardR_Click();

  private:
    // Whether the rules give cards; the status line says when they do not.
    bool given() const;
    void warning(const TeamSide& side);
    void redCard(const TeamSide& side);
    // Whether the warning is noted: at once within the rules' limits, beyond them (or for a player
    // already out) when the operator says so.
    bool noted(const TeamSide& side, int number);

    MatchContext& context_;
    PenaltyLists& lists_;
    Periods& periods_;
};

} // namespace ml
