// Line lag on a slow line: in a simulated last minute (ten different 48-byte transmissions a
// second for 60 seconds) the time from composing a transmission to its last byte on the line,
// for the program's writer (one transmission waiting, the newest wins) and for a writer that
// queues everything, over a line model that drains at baud / 10 bytes a second. Simulated time:
// the run takes milliseconds.
//
//   build-bench/bench/bench_line_lag

#include "serial/line_writer.h"

#include <QHash>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

using namespace ml;

constexpr std::int64_t kUs = 1000000;
constexpr std::int64_t kComposeEveryUs = 100000;
constexpr int kTransmissions = 600;

// A serial line in simulated time: bytes leave at the line rate, one after another, and the
// line reports itself drained once everything written has left.
class LineModel : public SerialDevice {
  public:
    struct Sent {
        QByteArray bytes;
        std::int64_t firstUs;
        std::int64_t lastUs;
    };

    explicit LineModel(int baud) : bytesPerSecond_(baud / 10) {}

    // Moves simulated time on, reporting every drain that falls on the way.
    void advanceTo(std::int64_t us) {
        while (draining_ && freeAtUs_ <= us) {
            nowUs_ = freeAtUs_;
            draining_ = false;
            if (drained_)
                drained_();
        }
        nowUs_ = us;
    }
    // Runs the line until it has sent everything.
    void finish() { advanceTo(std::max(nowUs_, freeAtUs_)); }
    const std::vector<Sent>& sent() const { return sent_; }

    bool setPortNumber(int) override { return true; }
    int portNumber() const override { return 1; }
    void setSettings(const QString&) override {}
    bool open() override { return true; }
    bool close() override { return true; }
    bool isOpen() const override { return true; }
    bool write(const QByteArray& bytes) override {
        const std::int64_t first = std::max(nowUs_, freeAtUs_);
        freeAtUs_ = first + bytes.size() * kUs / bytesPerSecond_;
        sent_.push_back({bytes, first, freeAtUs_});
        draining_ = true;
        return true;
    }
    qint64 bytesQueued() const override {
        if (freeAtUs_ <= nowUs_)
            return 0;
        return ((freeAtUs_ - nowUs_) * bytesPerSecond_ + kUs - 1) / kUs;
    }
    void setDrainedHandler(std::function<void()> handler) override {
        drained_ = std::move(handler);
    }
    void setFailureHandler(std::function<void(const QString&)>) override {}
    QString deviceName(int) const override { return {}; }

  private:
    std::int64_t bytesPerSecond_;
    std::int64_t nowUs_ = 0;
    std::int64_t freeAtUs_ = 0;
    bool draining_ = false;
    std::vector<Sent> sent_;
    std::function<void()> drained_;
};

// The scoreboard transmission of the last minute at `seconds`.`tenths`: 48 bytes.
QByteArray lastMinuteTransmission(int seconds, int tenths) {
    const auto field = [](char address, const QByteArray& text) {
        return QByteArray("\x02") + address + '1' + text + '\n';
    };
    return field('1', "Heim    ") + field('2', "  Gegner") +
           field('3', " 3   " + QByteArray::number(seconds).rightJustified(3, ' ')) +
           field('4', ":" + QByteArray::number(tenths) + "0  12 ");
}

struct Lag {
    int sent = 0;
    double firstMs = 0; // longest time from composing to the first byte on the line
    double lastMs = 0;  // longest time from composing to the last byte on the line
};

Lag measure(const LineModel& line, const QHash<QByteArray, std::int64_t>& composedUs) {
    Lag lag;
    for (const auto& s : line.sent()) {
        const std::int64_t composed = composedUs.value(s.bytes);
        lag.sent += 1;
        lag.firstMs = std::max(lag.firstMs, double(s.firstUs - composed) / 1000.0);
        lag.lastMs = std::max(lag.lastMs, double(s.lastUs - composed) / 1000.0);
    }
    return lag;
}

} // namespace

int main() {
    std::printf("reproduce: build-bench/bench/bench_line_lag\n");
    std::printf("simulated last minute: %d different 48-byte transmissions, one every %lld ms\n\n",
                kTransmissions, static_cast<long long>(kComposeEveryUs / 1000));
    std::printf("%6s %10s | %-34s | %-34s\n", "", "", "one waiting, newest wins",
                "queue everything");
    std::printf("%6s %10s | %6s %13s %13s | %6s %13s %13s\n", "baud", "line time", "sent",
                "to first, ms", "to last, ms", "sent", "to first, ms", "to last, ms");
    for (int baud : {1200, 2400, 4800, 9600}) {
        LineModel lineOne(baud);
        LineWriter writer(lineOne);
        lineOne.setDrainedHandler([&writer] { writer.drained(); });
        LineModel lineAll(baud);

        QHash<QByteArray, std::int64_t> composedUs;
        for (int i = 0; i < kTransmissions; ++i) {
            const std::int64_t t = i * kComposeEveryUs;
            const QByteArray bytes = lastMinuteTransmission(59 - i / 10, 9 - i % 10);
            composedUs.insert(bytes, t);
            lineOne.advanceTo(t);
            lineAll.advanceTo(t);
            writer.write(bytes);
            lineAll.write(bytes);
        }
        lineOne.finish();
        lineAll.finish();

        const double lineMs = 48.0 * 10 * 1000 / baud;
        const Lag one = measure(lineOne, composedUs);
        const Lag all = measure(lineAll, composedUs);
        std::printf("%6d %7.1f ms | %6d %13.1f %13.1f | %6d %13.1f %13.1f\n", baud, lineMs,
                    one.sent, one.firstMs, one.lastMs, all.sent, all.firstMs, all.lastMs);
    }
    std::printf(
        "\nline time: one 48-byte transmission at 10 bits a byte. \"to first\": composing to "
        "the first byte on the line (the wait); \"to last\": composing to the last byte.\n");
    return 0;
}
