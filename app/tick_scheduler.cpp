#include "app/tick_scheduler.h"

namespace ml::app {

namespace {

// Two "time to next" readings this close describe the same boundary: the next tenth is a
// whole second.
constexpr int kSameBoundaryMs = 50;
// A wake-up that finds its boundary still this far ahead came early (the time of day was set
// back or the system clock slewed); it waits for the boundary instead of stepping twice.
constexpr int kEarlyMs = 10;

} // namespace

TickScheduler::TickScheduler(const Form& form, const Clock& clock, Steps steps)
    : form_(form), clock_(clock), steps_(std::move(steps)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { wake(); });
}

void TickScheduler::start() {
    running_ = true;
    runBoundary(true);
}

TickScheduler::Grain TickScheduler::wanted() const {
    const Timer& tick = form_.Timer2;
    const Timer& tenths = form_.Timer3;
    if ((tenths.enabled && tenths.onTenths()) || (tick.enabled && tick.onTenths()))
        return Grain::Tenth;
    if (tick.enabled || tenths.enabled)
        return Grain::Second;
    return Grain::None;
}

void TickScheduler::reschedule() {
    if (!running_)
        return;
    const Grain g = wanted();
    if (g == grain_ && (timer_.isActive() || g == Grain::None))
        return;
    grain_ = g;
    if (g == Grain::None) {
        timer_.stop();
        return;
    }
    arm();
}

void TickScheduler::arm() {
    const int toSecond = clock_.msToNextSecond();
    int delay = toSecond;
    targetIsSecond_ = true;
    if (grain_ == Grain::Tenth) {
        delay = clock_.msToNextTenth();
        targetIsSecond_ = toSecond - delay < kSameBoundaryMs;
    }
    timer_.start(delay + kLateMs);
}

void TickScheduler::wake() {
    const int ahead = grain_ == Grain::Second ? clock_.msToNextSecond() : clock_.msToNextTenth();
    if (ahead < kEarlyMs) {
        timer_.start(ahead + kLateMs);
        return;
    }
    runBoundary(targetIsSecond_);
}

void TickScheduler::runBoundary(bool secondBoundary) {
    if (steps_.boundary)
        steps_.boundary(secondBoundary);
    if (steps_.after)
        steps_.after();
    if (running_ && !timer_.isActive()) {
        grain_ = wanted();
        if (grain_ != Grain::None)
            arm();
    }
}

} // namespace ml::app
