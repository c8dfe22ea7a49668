#pragma once

// The operator's commands of the match clock: start/stop, the two resets, change of ends and the
// count direction.

#include "match/match_context.h"

namespace ml {

class ClockCount;
class Interruptions;
class Periods;

class ClockCommands {
    Q_DECLARE_TR_FUNCTIONS(ClockCommands)

  public:
    ClockCommands(MatchContext& context, ClockCount& count, Interruptions& interruptions,
                  Periods& periods);

    // The clock stops at its start value; a timeout or break ends.
    void ResetTime();
    void St_St_Click();
    // The operator typed into `D_Min` or `D_Sec`.
    void clockTyped();
    void Reset_Time_Click();
    void reset_Click();
    void s_change_Click();
    void Mode_up_Click();
    void Mode_down_Click();

  private:
    const SportRules& rules() const { return context_.rules(); }

    MatchContext& context_;
    Form& form_;
    ClockCount& count_;
    Interruptions& interruptions_;
    Periods& periods_;
};

} // namespace ml
