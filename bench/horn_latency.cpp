// Horn latency: from the call that sounds the horn to its first sample in the sound server.
// The real horn (`QtHorn`, Qt Multimedia) plays into a PulseAudio null sink started here; the
// sink's monitor is recorded with parec and every chunk stamped on arrival. The first sample of
// the tone is dated by its chunk's arrival less the play time of the samples after it in the
// chunk ("sample"); the chunk's arrival itself bounds it from above ("arrival").
//
//   bench_horn_latency [--signals N]

#include "app/qt_horn.h"
#include "tests/support/null_sink.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using ml::test::NullSink;

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void printRow(const char* what, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const auto at = [&v](double q) { return v[static_cast<size_t>(q * (v.size() - 1))]; };
    std::printf("%-28s %5zu %9.2f %9.2f %9.2f %9.2f\n", what, v.size(), v.front(), at(0.5),
                at(0.99), v.back());
}

// Each recorded chunk: the samples received up to and including it, and when it arrived.
struct Arrival {
    qsizetype end;
    Clock::time_point at;
};

// When the chunk that held sample `i` arrived (the epoch when not yet).
Clock::time_point arrivalOf(const std::vector<Arrival>& arrivals, qsizetype i) {
    for (const Arrival& a : arrivals)
        if (a.end > i)
            return a.at;
    return {};
}

// When sample `i` reached the sink, about: its chunk's arrival less the play time of the samples
// after it in the chunk.
Clock::time_point playedAt(const std::vector<Arrival>& arrivals, qsizetype i) {
    for (const Arrival& a : arrivals)
        if (a.end > i)
            return a.at - std::chrono::microseconds((a.end - 1 - i) * 1000000 / NullSink::kRate);
    return {};
}

} // namespace

int main(int argc, char* argv[]) {
    int count = 50;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--signals") == 0)
            count = std::atoi(argv[i + 1]);

    QCoreApplication app(argc, argv);
    NullSink sink;
    if (!sink.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(sink.error()));
        return 1;
    }
    ml::app::QtHorn horn;
    horn.setFailureHandler(
        [](const QString& r) { std::fprintf(stderr, "horn: %s\n", qPrintable(r)); });
    horn.prepare();
    std::vector<Arrival> arrivals;
    sink.onChunk = [&] { arrivals.push_back({sink.sampleCount(), Clock::now()}); };
    if (!sink.startRecording())
        return 1;
    sink.recordAtLeast(NullSink::kRate / 2, 3000);

    std::vector<double> bySample, byArrival;
    for (int n = 0; n < count; ++n) {
        // Silence between the signals, so each onset stands out.
        NullSink::spin(300);
        const qsizetype from = sink.sampleCount();
        const Clock::time_point trigger = Clock::now();
        horn.sound(200);
        qsizetype onset = -1;
        const QDeadlineTimer deadline(2000);
        while (onset < 0 && !deadline.hasExpired()) {
            NullSink::spin(2);
            const qint16* s = sink.samples();
            for (qsizetype i = from; i < sink.sampleCount() && onset < 0; ++i)
                if (std::abs(s[i]) > 1000)
                    onset = i;
        }
        if (onset < 0) {
            std::fprintf(stderr, "signal %d: no tone recorded\n", n);
            return 1;
        }
        bySample.push_back(ms(playedAt(arrivals, onset) - trigger));
        byArrival.push_back(ms(arrivalOf(arrivals, onset) - trigger));
        NullSink::spin(300);
    }

    std::printf("horn latency, trigger to first sample in the null sink, ms\n");
    std::printf("%-28s %5s %9s %9s %9s %9s\n", "dated by", "n", "min", "p50", "p99", "max");
    printRow("sample (chunk less rest)", bySample);
    printRow("arrival of its chunk", byArrival);
    return 0;
}
