// Clock-to-wire latency: how long after the time of day's second (or tenth) boundary the
// display line receives the transmission that shows it.
//
// The real program core runs with real timers over real pseudo-terminals, several programs in one
// event loop: one on the aligned scheduler of the window, the others on plain free-running timers
// of the same periods, started at phases spread over the second. Each program has its port open,
// "Anzeigen" ticked and a count-down running that crosses into the last minute. A reader thread
// on the master side of each pseudo-terminal stamps the arrival of every byte.
//
//   build-bench/bench/bench_latency [--seconds 180] [--start 2:30] [--free 4] [--trace]
//                                   [--no-storage]
//
// --no-storage keeps the match state in memory instead of on disk (for comparison).
// --trace also prints every scoreboard transmission of the aligned program: its arrival in ms
// after the second, field 3 and field 4.

#include "app/qt_platform.h"
#include "app/tick_scheduler.h"
#include "core/program.h"
#include "platform/fakes/fakes.h"
#include "platform/qt_storage.h"
#include "serial/qt_serial_device.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <poll.h>
#include <pty.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace ml;

std::int64_t realtimeNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return std::int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

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

// Stamps what arrives on the master side, on its own thread so that the event loop under test
// does not delay the stamp.
class Reader {
  public:
    struct Chunk {
        std::int64_t ns;
        std::string bytes;
    };

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
    const std::vector<Chunk>& chunks() const { return chunks_; }

  private:
    void run() {
        char buf[4096];
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0 || !(p.revents & POLLIN))
                continue;
            const std::int64_t ns = realtimeNs();
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n > 0)
                chunks_.push_back({ns, std::string(buf, std::size_t(n))});
        }
    }

    int fd_;
    std::atomic<bool> stop_{false};
    std::vector<Chunk> chunks_;
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

// The original's timers: the tick and the tenths step on their own periods from whenever they
// were started, periods and flags re-read from the form after every step.
class FreeRunningTimers {
  public:
    explicit FreeRunningTimers(Program& program) : program_(program) {
        for (QTimer* t : {&tick_, &tenths_})
            t->setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick_, &QTimer::timeout, [this] {
            program_.tick();
            follow();
        });
        QObject::connect(&tenths_, &QTimer::timeout, [this] {
            program_.tenths();
            follow();
        });
    }
    void follow() {
        follow(program_.form.Timer2, tick_);
        follow(program_.form.Timer3, tenths_);
    }

  private:
    // A changed period starts the timer afresh, as setting a timer's interval does.
    static void follow(const Timer& t, QTimer& q) {
        if (!t.enabled)
            q.stop();
        else if (!q.isActive() || q.interval() != t.interval)
            q.start(t.interval);
    }

    Program& program_;
    QTimer tick_;
    QTimer tenths_;
};

struct Shared {
    app::QtClock clock;
    QuietDialogs dialogs;
    NoShell shell;
    NoHorn horn;
    bool storeOnDisk = true;
};

// One program with its own port, pseudo-terminal and timers.
struct Rig {
    Rig(Shared& s, Pty& pty, int port)
        : reader(pty.master), program(s.clock, s.dialogs, s.shell, device, s.horn,
                                      s.storeOnDisk ? static_cast<Storage&>(disk) : memory) {
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
    }
    void startCountDown(const QString& minutes, const QString& seconds) {
        program.type(program.form.D_Min, minutes);
        program.type(program.form.D_Sec, seconds);
        program.click(program.form.St_St);
    }

    Reader reader;
    QtSerialDevice device;
    // Storage on, as in the program: each rig keeps its state and record in a folder of its own.
    QTemporaryDir folder;
    QtStorage disk{folder.path() + QStringLiteral("/config"),
                   folder.path() + QStringLiteral("/data")};
    FakeStorage memory;
    Program program;
    std::unique_ptr<app::TickScheduler> aligned;
    std::unique_ptr<FreeRunningTimers> free;
    int phaseMs = 0;
};

// One scoreboard transmission as it arrived: the stamp of its first byte and fields 3 and 4.
struct Arrival {
    std::int64_t ns;
    std::string field3;
    std::string field4;
};

// Splits the byte stream into frames and keeps the scoreboard transmissions (field frames 1 to
// 4 in a row); the mode-switch sequence and anything else is passed over.
std::vector<Arrival> scoreboardTransmissions(const std::vector<Reader::Chunk>& chunks) {
    std::vector<Arrival> out;
    std::string frame;
    std::int64_t frameNs = 0;
    std::int64_t firstNs = 0;
    std::string fields[4];
    int next = 1;
    for (const auto& c : chunks) {
        for (char ch : c.bytes) {
            if (ch == '\x02') {
                frame.clear();
                frameNs = c.ns;
            }
            frame.push_back(ch);
            if (ch != '\n')
                continue;
            const bool field =
                frame.size() == 12 && frame[0] == '\x02' && frame[1] >= '1' && frame[1] <= '4';
            const int address = field ? frame[1] - '0' : 0;
            if (address == 1)
                firstNs = frameNs;
            if (address != 0 && (address == next || address == 1)) {
                fields[address - 1] = frame.substr(3, 8);
                next = address + 1;
                if (address == 4) {
                    out.push_back({firstNs, fields[2], fields[3]});
                    next = 1;
                }
            } else {
                next = 1;
            }
            frame.clear();
        }
    }
    return out;
}

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

struct Delays {
    std::vector<double> secondsBefore; // a new second, before the last minute or after it
    std::vector<double> secondsLast;   // a new second in the last minute
    std::vector<double> tenths;        // a new tenth in the last minute
};

// What the display shows: before the last minute the clock's seconds stand in field 4; in the
// last minute field 3's minutes place carries the seconds and field 4's seconds place the
// tenths. The two-digit minutes place tells the last minute (the count starts below ten minutes).
void collect(const std::vector<Arrival>& arrivals, Delays& d) {
    std::string lastSecond;
    std::string lastTenth;
    bool first = true;
    for (const Arrival& a : arrivals) {
        const std::string minutes = trimmed(a.field3.substr(5, 3));
        const std::string secondsPlace = a.field4.substr(1, 2);
        const bool lastMinute = minutes.size() == 2 && std::isdigit((unsigned char)minutes[0]) &&
                                std::isdigit((unsigned char)minutes[1]);
        const std::string second = lastMinute ? minutes : secondsPlace;
        const std::string tenth = lastMinute ? secondsPlace : std::string();
        const double intoSecondMs = double(a.ns % 1000000000) / 1e6;
        const double intoTenthMs = double(a.ns % 100000000) / 1e6;
        if (!first && second != lastSecond)
            (lastMinute ? d.secondsLast : d.secondsBefore).push_back(intoSecondMs);
        if (!first && lastMinute && !lastTenth.empty() && tenth != lastTenth)
            d.tenths.push_back(intoTenthMs);
        lastSecond = second;
        lastTenth = tenth;
        first = false;
    }
}

double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const auto rank = std::size_t(std::max(1.0, std::ceil(p / 100.0 * double(v.size()))));
    return v[rank - 1];
}

void printRow(const char* arm, const char* what, const std::vector<double>& v) {
    std::printf("%-13s %-28s %6zu %9.2f %9.2f %9.2f\n", arm, what, v.size(), percentile(v, 50),
                percentile(v, 99), v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()));
}

void printArm(const char* arm, const Delays& d) {
    std::vector<double> all = d.secondsBefore;
    all.insert(all.end(), d.secondsLast.begin(), d.secondsLast.end());
    printRow(arm, "new second (all)", all);
    printRow(arm, "new second, before/after", d.secondsBefore);
    printRow(arm, "new second, last minute", d.secondsLast);
    printRow(arm, "new tenth, last minute", d.tenths);
}

std::string loadAverage() {
    std::ifstream f("/proc/loadavg");
    std::string a, b, c;
    f >> a >> b >> c;
    return a + " " + b + " " + c;
}

void usage() {
    std::fprintf(stderr, "usage: bench_latency [--seconds N] [--start M:SS] [--free N] [--trace] "
                         "[--no-storage]\n");
    std::exit(2);
}

} // namespace

int main(int argc, char** argv) {
    int seconds = 180;
    QString startMin = QStringLiteral("2");
    QString startSec = QStringLiteral("30");
    int freeCount = 4;
    bool trace = false;
    bool storeOnDisk = true;
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
        } else if (arg == "--free") {
            freeCount = value.toInt();
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
    if (seconds < 1 || freeCount < 1)
        usage();

    QCoreApplication qapp(argc, argv);
    std::printf(
        "reproduce: build-bench/bench/bench_latency --seconds %d --start %s:%s --free %d%s\n",
        seconds, qPrintable(startMin), qPrintable(startSec), freeCount,
        storeOnDisk ? "" : " --no-storage");
    std::printf("load average at start: %s\n", loadAverage().c_str());

    // Port 1 for the aligned program, ports 2.. for the free-running ones. The devices read
    // the port list when they are made.
    std::vector<std::unique_ptr<Pty>> ptys;
    QStringList paths;
    for (int i = 0; i <= freeCount; ++i) {
        ptys.push_back(std::make_unique<Pty>());
        paths << ptys.back()->path;
    }
    qputenv("MARKLIGHT_PORTS", paths.join(QLatin1Char(',')).toLocal8Bit());

    Shared shared;
    shared.storeOnDisk = storeOnDisk;
    std::vector<std::unique_ptr<Rig>> rigs;
    for (int i = 0; i <= freeCount; ++i)
        rigs.push_back(std::make_unique<Rig>(shared, *ptys[std::size_t(i)], i + 1));

    Rig& alignedRig = *rigs.front();
    Program& ap = alignedRig.program;
    // When the aligned tick step begins, after its boundary: the scheduler's share of the delay.
    std::vector<double> tickStartMs;
    alignedRig.aligned = std::make_unique<app::TickScheduler>(
        ap.form, shared.clock,
        app::TickScheduler::Steps{[&ap, &tickStartMs](bool wholeSecond) {
                                      tickStartMs.push_back(double(realtimeNs() % 100000000) / 1e6);
                                      ap.boundary(wholeSecond);
                                  },
                                  {}});
    alignedRig.aligned->start();

    // Free-running timers start at phases spread over the second from a random offset, so that
    // together they sample the lag an arbitrary start gives.
    const int base = int(QRandomGenerator::global()->bounded(1000));
    for (int i = 1; i <= freeCount; ++i) {
        Rig& rig = *rigs[std::size_t(i)];
        // Spread over the tenth as well, for the tenths step of the last minute.
        rig.phaseMs = (base + (i - 1) * (1000 / freeCount + 100 / freeCount)) % 1000;
        rig.free = std::make_unique<FreeRunningTimers>(rig.program);
        const int now = int((realtimeNs() / 1000000) % 1000);
        const int wait = (rig.phaseMs - now + 1000) % 1000;
        QTimer::singleShot(wait, Qt::PreciseTimer, [&rig] { rig.free->follow(); });
    }

    for (auto& rig : rigs)
        rig->startCountDown(startMin, startSec);
    alignedRig.aligned->reschedule();

    QTimer::singleShot(seconds * 1000 + 1000, Qt::PreciseTimer, &qapp, &QCoreApplication::quit);
    QCoreApplication::exec();

    for (auto& rig : rigs)
        rig->reader.stop();
    std::printf("load average at end: %s\n", loadAverage().c_str());

    Delays aligned;
    Delays free;
    const std::vector<Arrival> alignedArrivals =
        scoreboardTransmissions(alignedRig.reader.chunks());
    collect(alignedArrivals, aligned);
    if (trace) {
        // What the aligned program's display showed, and when within the second.
        for (const Arrival& a : alignedArrivals)
            std::printf("%8.2f ms  [%s][%s]\n", double(a.ns % 1000000000) / 1e6, a.field3.c_str(),
                        a.field4.c_str());
    }
    std::printf("free-running phases (ms after the second):");
    for (int i = 1; i <= freeCount; ++i) {
        collect(scoreboardTransmissions(rigs[std::size_t(i)]->reader.chunks()), free);
        std::printf(" %d", rigs[std::size_t(i)]->phaseMs);
    }
    std::printf("\n\ndelay from the time of day's boundary to the first byte, ms\n");
    std::printf("%-13s %-28s %6s %9s %9s %9s\n", "timers", "transmission", "n", "p50", "p99",
                "max");
    printArm("aligned", aligned);
    printArm("free-running", free);
    std::printf("\n");
    printRow("aligned", "tick step begins", tickStartMs);
    return 0;
}
