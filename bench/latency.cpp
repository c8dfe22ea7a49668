// Clock-to-wire latency: how long after a running count's own second (in the last minute, its
// tenth) the display line receives the transmission that shows it; and how long after the
// operator's click a goal reaches the line.
//
// The real program core runs on the window's scheduler with real timers over real
// pseudo-terminals, several programs in one event loop. Each has its port open, "Anzeigen"
// ticked and a count-down, started at a random moment of the second, that crosses into the last
// minute and runs below zero; every few seconds, at a random moment, each clicks a goal. A reader
// thread on the master side of each pseudo-terminal stamps the arrival of every byte on the
// monotonic clock that the programs count on, and reads the wire with the display decoder.
//
//   build-bench/bench/bench_latency [--seconds 150] [--start 1:30] [--programs 3] [--trace]
//                                   [--no-storage] [--mqtt HOST:PORT]
//
// --no-storage keeps the match state in memory instead of on disk (for comparison).
// --mqtt publishes each program's match to the broker, as marklight/bench/courtN/ (the load of
// bench/mqtt_fanout.sh). The process's CPU per program is printed at the end.
// --trace prints the lower row of every transmission of the first program with its delay.

#include "app/tick_scheduler.h"
#include "core/program.h"
#include "display/line_decoder.h"
#include "match/time_values.h"
#include "platform/fakes/fakes.h"
#include "platform/qt_storage.h"
#include "serial/qt_serial_device.h"
#include "web/mqtt_publisher.h"
#include "web/state_json.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTime>
#include <QTimer>

#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace ml;

std::int64_t monoNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The program's clocks, with the monotonic one on a known origin: a count's boundaries are then
// moments the reader's stamps can be set against. The origin is a whole millisecond, as the
// program's own clock's is, so the wake-up timer's milliseconds are the program's.
class BenchClock : public Clock {
  public:
    QString timeOfDay() const override {
        return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    }
    qint64 wallMs() const override { return QDateTime::currentMSecsSinceEpoch(); }
    qint64 monotonicMs() const override { return (monoNs() - originNs) / 1000000; }
    // Nanoseconds of the monotonic clock at which `monotonicMs` first reads `ms`.
    std::int64_t nsAt(qint64 ms) const { return originNs + ms * 1000000; }

    const std::int64_t originNs = monoNs() / 1000000 * 1000000;
};

// A pseudo-terminal pair. The slave stays open here as well, so the master never sees a hang-up
// while the program's port is closed between probing and opening.
struct Pty {
    Pty() {
        char name[128] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
            std::perror("openpty");
            std::exit(1);
        }
        path = QString::fromLocal8Bit(name);
    }
    ~Pty() {
        ::close(master);
        ::close(slave);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;
    int master = -1;
    int slave = -1;
    QString path;
};

// What the line showed from a moment on: the lower row, stamped with the first byte of the read
// that completed it.
struct Arrival {
    std::int64_t ns;
    QString lower;
};

// Reads what arrives on the master side, on its own thread so that the event loop under test
// does not delay the stamp.
class Reader {
  public:
    explicit Reader(int fd) : fd_(fd), thread_([this] { run(); }) {}
    ~Reader() { stop(); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    void stop() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    // Only after stop().
    const std::vector<Arrival>& arrivals() const { return arrivals_; }

  private:
    void run() {
        char buf[4096];
        LineDecoder decoder;
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0 || !(p.revents & POLLIN))
                continue;
            const std::int64_t ns = monoNs();
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n <= 0)
                continue;
            decoder.feed(QByteArrayView(buf, n), ns / 1000000);
            const QString lower = decoder.state().rows[1].text;
            if (decoder.settled() && (arrivals_.empty() || arrivals_.back().lower != lower))
                arrivals_.push_back({ns, lower});
        }
    }

    int fd_;
    std::atomic<bool> stop_{false};
    std::vector<Arrival> arrivals_;
    std::thread thread_;
};

class QuietDialogs : public Dialogs {
  public:
    Answer messageBox(const QString& text, const QString& title, Icon, Buttons, Answer) override {
        std::fprintf(stderr, "message box %s: %s\n", qPrintable(title), qPrintable(text));
        return Answer::Ok;
    }
    QString saveFileName(const QString&, const QString&, const QString&, QString&) override {
        return {};
    }
};

class NoShell : public Shell {
  public:
    void openUrl(const QString&) override {}
};

class NoHorn : public Horn {
  public:
    void prepare() override {}
    void sound(int) override {}
    void start() override {}
    void stop() override {}
    void setVolume(int) override {}
    void setFailureHandler(std::function<void(const QString&)>) override {}
};

struct Shared {
    BenchClock clock;
    QuietDialogs dialogs;
    NoShell shell;
    NoHorn horn;
    bool storeOnDisk = true;
    // The broker to publish to; none when empty.
    QString broker;
};

// A goal clicked: when, and the home score it gave.
struct Click {
    std::int64_t ns;
    QString score;
};

// One program with its own port, pseudo-terminal and scheduler.
struct Rig {
    Rig(Shared& s, Pty& pty, int port)
        : shared(s), reader(pty.master),
          program(s.clock, s.dialogs, s.shell, device, s.horn,
                  s.storeOnDisk ? static_cast<Storage&>(disk) : memory),
          scheduler(
              {[this] { return program.wake(); }, [this] { return program.msToNextWake(); }, {}}) {
        program.start();
        const QString entry = QStringLiteral("COM %1").arg(port);
        if (!program.select(program.form.Combo6, entry)) {
            std::fprintf(stderr, "%s not listed\n", qPrintable(entry));
            std::exit(1);
        }
        program.click(program.form.OpenOutput);
        if (!program.form.PortOpen) {
            std::fprintf(stderr, "%s did not open\n", qPrintable(entry));
            std::exit(1);
        }
        program.click(program.form.Displ);
        scheduler.start();
        if (!s.broker.isEmpty()) {
            const QStringList at = s.broker.split(QLatin1Char(':'));
            mqtt = std::make_unique<web::MqttPublisher>(program, s.clock, memory, [this] {
                return web::stateJson(program.form,
                                      web::readClocks(program.form, program.match, shared.clock),
                                      {}, web::readSport(program.match, program.record));
            });
            mqtt->pin({true,
                       at.value(0),
                       at.value(1).toInt(),
                       false,
                       {},
                       {},
                       {},
                       QStringLiteral("bench"),
                       QStringLiteral("court%1").arg(port)});
        }
    }
    void startCountDown(const QString& minutes, const QString& seconds) {
        program.type(program.form.D_Min, minutes);
        program.type(program.form.D_Sec, seconds);
        program.click(program.form.St_St);
        startMs = program.form.anchor.monoMs;
        startValueMs = program.form.anchor.valueMs;
        scheduler.reschedule();
    }
    void goal() {
        const std::int64_t ns = monoNs();
        program.click(program.form.up_l);
        clicks.push_back({ns, program.form.Pkt_l.text});
        scheduler.reschedule();
    }
    // The moment a count-down shows `shownValueMs` first: the first millisecond of running at
    // which what it shows has come down to it.
    std::int64_t dueNs(qint64 shownValueMs) const {
        qint64 low = 0;
        qint64 high = startValueMs + 3600000;
        while (low < high) {
            const qint64 mid = (low + high) / 2;
            if (shownMs(startValueMs - mid, CountKind::ClockDown) <= shownValueMs)
                high = mid;
            else
                low = mid + 1;
        }
        return shared.clock.nsAt(startMs + low);
    }

    Shared& shared;
    Reader reader;
    QtSerialDevice device;
    // Storage on, as in the program: each rig keeps its state and record in a folder of its own.
    QTemporaryDir folder;
    QtStorage disk{folder.path() + QStringLiteral("/config"),
                   folder.path() + QStringLiteral("/data")};
    FakeStorage memory;
    Program program;
    app::TickScheduler scheduler;
    std::unique_ptr<web::MqttPublisher> mqtt;
    qint64 startMs = -1;
    qint64 startValueMs = 0;
    std::vector<Click> clicks;
};

struct Delays {
    std::vector<double> secondsBefore; // a new second, before the last minute or after it
    std::vector<double> secondsLast;   // a new second in the last minute
    std::vector<double> tenths;        // a new tenth in the last minute
    std::vector<double> goals;         // a goal, from the click
};

// The clock a lower row shows, in milliseconds: " 0    12:34   0 " is 754000; in the last minute
// the minutes place carries the seconds and the seconds place the tenths, " 0    42:60   0 " is
// 42600. A two-digit minutes place tells the last minute (the counts start below ten minutes).
bool shownClock(const QString& lower, qint64& ms, bool& lastMinute) {
    const QString minutes = lower.mid(5, 3).trimmed();
    bool okMinutes = false;
    bool okSeconds = false;
    const int m = minutes.toInt(&okMinutes);
    const int s = lower.mid(9, 2).toInt(&okSeconds);
    if (!okMinutes || !okSeconds || lower.at(8) != QLatin1Char(':'))
        return false;
    lastMinute = minutes.size() == 2 && minutes.at(0).isDigit();
    if (lastMinute) {
        ms = m * 1000LL + s * 10LL;
        return true;
    }
    const qint64 value = (std::abs(m) * 60LL + s) * 1000;
    ms = minutes.startsWith(QLatin1Char('-')) ? -value : value;
    return true;
}

void collect(const Rig& rig, Delays& d, bool trace) {
    qint64 last = 0;
    bool first = true;
    for (const Arrival& a : rig.reader.arrivals()) {
        qint64 value = 0;
        bool lastMinute = false;
        if (!shownClock(a.lower, value, lastMinute) || a.ns < rig.shared.clock.nsAt(rig.startMs))
            continue;
        const double delay = double(a.ns - rig.dueNs(value)) / 1e6;
        if (trace)
            std::printf("%9.2f ms  [%s]\n", delay, qPrintable(a.lower));
        if (!first && value != last) {
            if (!lastMinute)
                d.secondsBefore.push_back(delay);
            else if (value / 1000 != last / 1000)
                d.secondsLast.push_back(delay);
            else
                d.tenths.push_back(delay);
        }
        last = value;
        first = false;
    }
    for (const Click& c : rig.clicks) {
        for (const Arrival& a : rig.reader.arrivals())
            if (a.ns >= c.ns && a.lower.left(4).trimmed() == c.score) {
                d.goals.push_back(double(a.ns - c.ns) / 1e6);
                break;
            }
    }
}

double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const auto rank = std::size_t(std::max(1.0, std::ceil(p / 100.0 * double(v.size()))));
    return v[rank - 1];
}

void printRow(const char* what, const std::vector<double>& v) {
    std::printf("%-34s %6zu %9.2f %9.2f %9.2f\n", what, v.size(), percentile(v, 50),
                percentile(v, 99), v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()));
}

std::string loadAverage() {
    std::ifstream f("/proc/loadavg");
    std::string a, b, c;
    f >> a >> b >> c;
    return a + " " + b + " " + c;
}

void usage() {
    std::fprintf(stderr, "usage: bench_latency [--seconds N] [--start M:SS] [--programs N] "
                         "[--trace] [--no-storage] [--mqtt HOST:PORT]\n");
    std::exit(2);
}

} // namespace

int main(int argc, char** argv) {
    int seconds = 150;
    QString startMin = QStringLiteral("1");
    QString startSec = QStringLiteral("30");
    int programs = 3;
    bool trace = false;
    bool storeOnDisk = true;
    QString broker;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--trace") {
            trace = true;
            continue;
        }
        if (arg == "--no-storage") {
            storeOnDisk = false;
            continue;
        }
        if (i + 1 >= argc)
            usage();
        const QString value = QString::fromLocal8Bit(argv[++i]);
        if (arg == "--seconds") {
            seconds = value.toInt();
        } else if (arg == "--programs") {
            programs = value.toInt();
        } else if (arg == "--mqtt") {
            broker = value;
        } else if (arg == "--start") {
            const QStringList ms = value.split(QLatin1Char(':'));
            if (ms.size() != 2 || ms[0].toInt() > 9)
                usage();
            startMin = ms[0];
            startSec = ms[1];
        } else {
            usage();
        }
    }
    if (seconds < 1 || programs < 1)
        usage();

    QCoreApplication qapp(argc, argv);
    std::printf("reproduce: build-bench/bench/bench_latency --seconds %d --start %s:%s "
                "--programs %d%s%s%s\n",
                seconds, qPrintable(startMin), qPrintable(startSec), programs,
                storeOnDisk ? "" : " --no-storage", broker.isEmpty() ? "" : " --mqtt ",
                qPrintable(broker));
    std::printf("load average at start: %s\n", loadAverage().c_str());

    // The devices read the port list when they are made.
    std::vector<std::unique_ptr<Pty>> ptys;
    QStringList paths;
    for (int i = 0; i < programs; ++i) {
        ptys.push_back(std::make_unique<Pty>());
        paths << ptys.back()->path;
    }
    qputenv("MARKLIGHT_PORTS", paths.join(QLatin1Char(',')).toLocal8Bit());

    Shared shared;
    shared.storeOnDisk = storeOnDisk;
    shared.broker = broker;
    std::vector<std::unique_ptr<Rig>> rigs;
    for (int i = 0; i < programs; ++i)
        rigs.push_back(std::make_unique<Rig>(shared, *ptys[std::size_t(i)], i + 1));

    QRandomGenerator* random = QRandomGenerator::global();
    for (auto& rig : rigs) {
        Rig* r = rig.get();
        QTimer::singleShot(int(random->bounded(1000)), Qt::PreciseTimer,
                           [r, startMin, startSec] { r->startCountDown(startMin, startSec); });
        // A goal every 2 to 5 s, at a moment with no relation to any second.
        auto* goals = new QTimer(&qapp);
        goals->setTimerType(Qt::PreciseTimer);
        QObject::connect(goals, &QTimer::timeout, [r, goals, random] {
            r->goal();
            goals->start(2000 + int(random->bounded(3000)));
        });
        goals->start(1500 + int(random->bounded(3000)));
    }

    QTimer::singleShot(seconds * 1000 + 1000, Qt::PreciseTimer, &qapp, &QCoreApplication::quit);
    QCoreApplication::exec();

    for (auto& rig : rigs)
        rig->reader.stop();
    std::printf("load average at end: %s\n", loadAverage().c_str());

    Delays d;
    for (std::size_t i = 0; i < rigs.size(); ++i)
        collect(*rigs[i], d, trace && i == 0);
    std::vector<double> seconds_ = d.secondsBefore;
    seconds_.insert(seconds_.end(), d.secondsLast.begin(), d.secondsLast.end());
    std::printf("\ndelay to the first byte, ms\n");
    std::printf("%-34s %6s %9s %9s %9s\n", "from", "n", "p50", "p99", "max");
    printRow("count's new second (all)", seconds_);
    printRow("count's new second, before/after", d.secondsBefore);
    printRow("count's new second, last minute", d.secondsLast);
    printRow("count's new tenth, last minute", d.tenths);
    printRow("click of a goal", d.goals);
    rusage used{};
    ::getrusage(RUSAGE_SELF, &used);
    const double cpuS = double(used.ru_utime.tv_sec + used.ru_stime.tv_sec) +
                        double(used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e6;
    std::printf("\nCPU per program: %.2f %% of one core (%.2f s in %d s, %d programs)\n",
                100.0 * cpuS / (seconds + 1) / programs, cpuS, seconds + 1, programs);
    return 0;
}
