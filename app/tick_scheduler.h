#pragma once

// Runs the tick (`Timer2`) and the tenths step (`Timer3`) on the time of day's own second and
// tenth boundaries, a few milliseconds after each, so that a new second reaches the display at
// once instead of up to a whole period later. Periods and enabled flags are the form's; they
// are re-read after every handler and every step.

#include "form/form.h"
#include "platform/platform.h"

#include <QTimer>

#include <functional>

namespace ml::app {

class TickScheduler {
  public:
    struct Steps {
        // What falls due at a boundary of the time of day: true for a whole second, false for a
        // tenth only (`Program::boundary`).
        std::function<void(bool wholeSecond)> boundary;
        std::function<void()> after; // runs once after the steps of one boundary
    };

    TickScheduler(const Form& form, const Clock& clock, Steps steps);

    // Runs the first steps at once, as at a whole second, so the window and the display show the
    // match from start-up on; then follows the form's timers. Until then nothing fires.
    void start();
    // Re-reads the timers' periods and flags; keeps a pending wake-up that still fits.
    void reschedule();
    // The steps due at one boundary, then `after`, then the next wake-up.
    void runBoundary(bool secondBoundary);

    bool pending() const { return timer_.isActive(); }
    // Whether the pending wake-up falls on a second boundary (and not only a tenth).
    bool pendingOnSecond() const { return targetIsSecond_; }
    int pendingMs() const { return timer_.remainingTime(); }

    // How long after a boundary the steps run, so the time of day has surely moved on.
    static constexpr int kLateMs = 1;

  private:
    enum class Grain { None, Tenth, Second };
    Grain wanted() const;
    void arm();
    void wake();

    const Form& form_;
    const Clock& clock_;
    Steps steps_;
    QTimer timer_;
    Grain grain_ = Grain::None;
    bool targetIsSecond_ = false;
    bool running_ = false;
};

} // namespace ml::app
