#pragma once

// Timeouts and match breaks: the two buttons, their count-down, and the banner that alternates
// with the team names while the match is interrupted.

#include "match/match_context.h"

namespace ml {

class ClockCount;
class ClockCommands;
class Periods;

// Which interruption `endInterruption` ends.
enum class Interruption { Timeout, Break, Both };

class Interruptions {
    Q_DECLARE_TR_FUNCTIONS(Interruptions)

  public:
    Interruptions(MatchContext& context, ClockCount& count, ClockCommands& commands,
                  Periods& periods);

    void Time_Out_Click();
    void Break_Click();
    // Ends a timeout, a break or both: the button shows its start caption again and the second
    // clock hides. Every end of an interruption (its button, its count-down, a display mode that
    // hides the count, the start of the clock) goes through here.
    void endInterruption(Interruption which);
    // Starts a timeout (or a break) with the length in `lengthBox`, ending the other one.
    bool interrupt(TextBox& lengthBox, bool timeout);
    // Starts a team's timeout of the rules' length, or the break after the period under way,
    // without counting it: a step taken back comes again.
    void interruptFor(bool timeout);
    // The count-down's step: what it shows now, and its end.
    void step();
    // Moves the banner on by one tick (`advance`), and shows or hides it as the match stands.
    void switchBanner(bool advance);

  private:
    // The count in the clock's place, as its step shows it at VALUE.
    void showCount(qint64 value);
    // The common start of a timeout or break: stops the clock and starts the count-down from
    // the length in `lengthBox`. False, after the error box, when the length is no number or
    // too large.
    bool startInterruption(TextBox& lengthBox);
    const SportRules& rules() const { return context_.rules(); }

    MatchContext& context_;
    Form& form_;
    ClockCount& count_;
    ClockCommands& commands_;
    Periods& periods_;
};

} // namespace ml
