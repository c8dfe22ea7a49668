#include "app/tick_scheduler.h"

#include <algorithm>

namespace ml::app {

TickScheduler::TickScheduler(Steps steps) : steps_(std::move(steps)), wake_([this] { wake(); }) {}

void TickScheduler::start() {
    running_ = true;
    wake();
}

void TickScheduler::reschedule() {
    if (!running_)
        return;
    // The program's milliseconds are the wake-up's (QtClock): the wake comes at the start of
    // the millisecond asked for or, when one has begun since it was asked, a millisecond
    // later; never before, so the step finds its change due.
    const qint64 ms = std::clamp<qint64>(steps_.msToNext(), 0, 1000);
    wake_.armAt(PreciseWake::nowMs() + ms);
}

void TickScheduler::wake() {
    if (!steps_.wake())
        return;
    if (steps_.after)
        steps_.after();
    reschedule();
}

} // namespace ml::app
