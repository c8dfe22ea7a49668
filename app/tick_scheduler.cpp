#include "app/tick_scheduler.h"

#include <algorithm>

namespace ml::app {

TickScheduler::TickScheduler(Steps steps) : steps_(std::move(steps)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { wake(); });
}

void TickScheduler::start() {
    running_ = true;
    wake();
}

void TickScheduler::reschedule() {
    if (!running_)
        return;
    // A millisecond timer fires at the millisecond it is armed for or after it, never before:
    // the step finds its change already shown.
    const qint64 ms = std::clamp<qint64>(steps_.msToNext(), 0, 1000);
    timer_.start(static_cast<int>(ms));
}

void TickScheduler::wake() {
    if (!steps_.wake())
        return;
    if (steps_.after)
        steps_.after();
    reschedule();
}

} // namespace ml::app
