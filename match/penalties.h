#pragma once

// A side's penalty button: without a sport's rules it starts and stops the side's one penalty,
// measured in match time; under them it gives a penalty to the side's list. Each step of the
// clock brings what the penalties have still to serve up to date.

#include "match/match_context.h"
#include "match/team_side.h"

namespace ml {

class ClockCount;
class PenaltyLists;

class Penalties {
    Q_DECLARE_TR_FUNCTIONS(Penalties)

  public:
    Penalties(MatchContext& context, ClockCount& count, PenaltyLists& lists);

    void StrafeL_Click();
    void StrafeR_Click();
    QString Strafe(int minutes, int seconds, int endMin, int endSec) const;
    // Writes the time still to serve of each running penalty from the clock as it shows; under a
    // sport's rules a served penalty ends and the next waiting one starts.
    void advancePenalties();
    // A penalty whose end would lie outside the 16-bit match time.
    void refuseOverflow();

  private:
    void penaltyClick(const TeamSide& side);
    QString penaltyText(const TeamSide& side, double clock) const;

    MatchContext& context_;
    Form& form_;
    ClockCount& count_;
    PenaltyLists& lists_;
};

} // namespace ml
