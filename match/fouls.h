#pragma once

// Team fouls, and a player's fouls where the rules count them, under a sport that counts fouls.

#include "match/match_context.h"
#include "match/team_side.h"

namespace ml {

class Periods;

class Fouls {
    Q_DECLARE_TR_FUNCTIONS(Fouls)

  public:
    Fouls(MatchContext& context, Periods& periods);

    // A team foul of the left (or right) team, of the player whose number stands in the side's
    // "Nr." box (where the rules count a player's fouls).
    void foulL_Click();
    void foulR_Click();
    // The counter under the side's foul button.
    void show(const TeamSide& side);
    // "1 Foul", "3 Fouls".
    static QString count(int n);

  private:
    void foul(const TeamSide& side);

    MatchContext& context_;
    Periods& periods_;
};

} // namespace ml
