#pragma once

// The match engine: start-up, the tick and the tenths step, the clock commands, timeouts and
// breaks, and penalties. It calls the display and serial link only through its hooks.

#include "console/event_log.h"
#include "form/form.h"
#include "form/handlers.h"
#include "platform/platform.h"

#include <functional>

namespace ml {

// The places where start-up and the tick reach other subsystems; empty hooks do nothing.
struct EngineHooks {
    std::function<void()> br_low_Click;
    std::function<void()> check_comPorts_Click;
    std::function<void()> previewStep;
    std::function<QString(const QString&)> checkAndOut;
};

class MatchEngine {
  public:
    MatchEngine(Form& form, const Clock& clock, Dialogs& dialogs, EventLog& log);
    void setHooks(EngineHooks hooks) { hooks_ = std::move(hooks); }
    void registerHandlers(Handlers& h);

    void Form_Load();
    void Timer2_Timer();
    // The tick in its two halves: the banner, the time of day and the running count; then the
    // free-text previews and the output. A boundary of the time of day that is due for both
    // timers runs the tenths step between them, so that the transmission carries the second and
    // tenth that have just begun.
    void tickCount();
    void tickOutput();
    void Timer3_Timer();
    void ResetTime();

    void St_St_Click();
    void Reset_Time_Click();
    void reset_Click();
    void s_change_Click();
    void Mode_up_Click();
    void Mode_down_Click();

    void Time_Out_Click();
    void Break_Click();
    void Switch(int advance);

    void StrafeL_Click();
    void StrafeR_Click();
    QString Strafe(int minutes, int seconds, int endMin, int endSec) const;

  private:
    // Tick periods: once a second, ten times a second in the last minute of a count-down.
    static constexpr int kTickMs = 1000;
    static constexpr int kLastMinuteTickMs = 100;

    // Tells the operator which clock box (`D_Min` or `D_Sec`) holds no usable number.
    void refuseUnreadableClock(const QString& action);
    void showSecondClock(bool shown);
    // The tick's branches: the running match clock, and a timeout or break count-down.
    void runningClockStep(double nowSec);
    void interruptionStep(double nowSec);
    void advancePenalties();

    // The common start of a timeout or break: stops the clock and starts the count-down from
    // the length in `lengthBox`. False, after the error box, when the length is no number or
    // too large.
    bool startInterruption(TextBox& lengthBox);
    // One side's penalty: its button, length box, text box and fields.
    struct PenaltySide {
        Button& button;
        TextBox& length;
        TextBox& text;
        bool& active;
        int& endMin;
        int& endSec;
        bool left;
    };
    PenaltySide leftPenalty();
    PenaltySide rightPenalty();
    void penaltyClick(const PenaltySide& side);
    QString penaltyText(const PenaltySide& side, double clock) const;

    Form& form_;
    const Clock& clock_;
    Dialogs& dialogs_;
    EventLog& log_;
    EngineHooks hooks_;
};

} // namespace ml
