#include "app/precise_wake.h"

#include <QSocketNotifier>

#include <algorithm>
#include <chrono>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace ml::app {

PreciseWake::PreciseWake(std::function<void()> woken) : woken_(std::move(woken)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
#ifdef Q_OS_LINUX
    fd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        std::uint64_t expirations = 0;
        // Arming anew clears an expiry not yet read: then there is nothing to read.
        if (::read(fd_, &expirations, sizeof expirations) == sizeof expirations && armed_)
            fire();
    });
#endif
}

PreciseWake::~PreciseWake() {
    notifier_.reset();
#ifdef Q_OS_LINUX
    if (fd_ >= 0)
        ::close(fd_);
#endif
}

qint64 PreciseWake::nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

qint64 PreciseWake::remainingMs() const {
    return armed_ ? std::max<qint64>(0, atMs_ - nowMs()) : 0;
}

void PreciseWake::armAt(qint64 ms) {
    armed_ = true;
    atMs_ = ms;
#ifdef Q_OS_LINUX
    if (fd_ >= 0) {
        // steady_clock is CLOCK_MONOTONIC here. A zero time would disarm instead.
        const qint64 when = std::max<qint64>(ms, 1);
        itimerspec at{};
        at.it_value.tv_sec = static_cast<time_t>(when / 1000);
        at.it_value.tv_nsec = static_cast<long>(when % 1000) * 1000000;
        ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &at, nullptr);
        return;
    }
#endif
    // Counted from now, so the start of this millisecond counts as the whole of it: never early.
    timer_.start(static_cast<int>(std::max<qint64>(0, ms - nowMs())));
}

void PreciseWake::fire() {
    armed_ = false;
    woken_();
}

} // namespace ml::app
