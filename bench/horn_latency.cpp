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
        bySample.push_back(ms(sink.playedAt(onset) - trigger));
        byArrival.push_back(ms(sink.arrivalOf(onset) - trigger));
        NullSink::spin(300);
    }

    std::printf("horn latency, trigger to first sample in the null sink, ms\n");
    std::printf("%-28s %5s %9s %9s %9s %9s\n", "dated by", "n", "min", "p50", "p99", "max");
    printRow("sample (chunk less rest)", bySample);
    printRow("arrival of its chunk", byArrival);
    return 0;
}
