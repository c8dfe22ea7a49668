#pragma once

// The team timeouts under a sport's rules: each one counted against the match's, the half's and
// the last minutes' allowance, and one the rules do not allow given only when the timekeeper
// says so.

#include "match/match_context.h"
#include "match/team_side.h"

namespace ml {

class ClockCount;
class Interruptions;
class Periods;

class TeamTimeouts {
    Q_DECLARE_TR_FUNCTIONS(TeamTimeouts)

  public:
    TeamTimeouts(MatchContext& context, ClockCount& count, Interruptions& interruptions,
                 Periods& periods);

    // A team's timeout; one that the rules do not allow asks first.
    void teamTimeoutL_Click();
    void teamTimeoutR_Click();
    // The side's timeout button and the allowance that binds now.
    void show(const TeamSide& side);
    // Why the rules do not allow a timeout of `side` now; empty when they do.
    QString timeoutRefusal(const TeamSide& side) const;

  private:
    void teamTimeout(const TeamSide& side);
    bool inLastMinutes() const;
    const SportRules& rules() const { return context_.rules(); }

    MatchContext& context_;
    Form& form_;
    ClockCount& count_;
    Interruptions& interruptions_;
    Periods& periods_;
};

} // namespace ml
