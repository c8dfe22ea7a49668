#pragma once

// A one-shot wake-up at a whole millisecond of the monotonic clock. A Qt timer counts its
// interval from the moment it is armed and glib's poll rounds what is left up to a whole
// millisecond: together up to 2 ms late. On Linux a timer descriptor armed for the absolute
// moment wakes the event loop within microseconds of it; elsewhere, or when the system gives no
// descriptor, the Qt timer stands in.

#include <QTimer>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace ml::app {

class PreciseWake {
  public:
    explicit PreciseWake(std::function<void()> woken);
    ~PreciseWake();
    PreciseWake(const PreciseWake&) = delete;
    PreciseWake& operator=(const PreciseWake&) = delete;

    // The monotonic clock's whole milliseconds, as the program counts them.
    static qint64 nowMs();

    // Wakes at the start of millisecond `ms` of `nowMs()`, never before; at once when that has
    // passed. Replaces any earlier wake-up.
    void armAt(qint64 ms);
    bool armed() const { return armed_; }
    qint64 remainingMs() const;

  private:
    void fire();

    std::function<void()> woken_;
    bool armed_ = false;
    qint64 atMs_ = 0;
    QTimer timer_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace ml::app
