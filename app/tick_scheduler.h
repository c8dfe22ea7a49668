#pragma once

// Wakes the program exactly when something it shows is due to change: the time of day's next
// second, or the next second (in the last minute, tenth) of the running count, measured from
// the count's own start. The moment is asked anew after every step and every handler.

#include "app/precise_wake.h"

#include <functional>

namespace ml::app {

class TickScheduler {
  public:
    struct Steps {
        // Runs what is due (`Program::wake`); false when skipped because a tick's message box is
        // up (that tick arms the next wake when it returns).
        std::function<bool()> wake;
        // Milliseconds until the next wake is due (`Program::msToNextWake`).
        std::function<qint64()> msToNext;
        std::function<void()> after; // runs once after each wake that ran
    };

    explicit TickScheduler(Steps steps);

    // Runs the first step at once, so the window and the display show the match from start-up
    // on; then wakes as the program asks. Until then nothing fires.
    void start();
    // Arms the wake-up for the moment the program now asks for.
    void reschedule();
    // Wakes now: the due steps, then `after`, then the next wake-up.
    void wake();

    bool pending() const { return wake_.armed(); }
    qint64 pendingMs() const { return wake_.remainingMs(); }

  private:
    Steps steps_;
    PreciseWake wake_;
    bool running_ = false;
};

} // namespace ml::app
