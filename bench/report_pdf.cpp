// The printed report of a 60-minute ice-hockey match with 60 goals (scorers and assists) and 40
// penalties: the sheet's content alone, and the whole PDF drawn by Qt's PDF writer. A record of
// 5 000 events (the most the record keeps) as the worst case.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench --target bench_report_pdf
//   build-bench/bench/bench_report_pdf --benchmark_repetitions=5

#include "app/report/report_painter.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace ml;

MatchReport match(int goals, int penalties, int clockSteps) {
    MatchReport r{QStringLiteral("07.12.2026"),
                  QStringLiteral("Eishockey"),
                  QStringLiteral("Adler"),
                  QStringLiteral("Eisbären"),
                  {},
                  QStringLiteral("0:00"),
                  {}};
    std::array<int, 2> score{0, 0};
    const int events = goals + penalties + clockSteps;
    for (int i = 0; i < events; ++i) {
        const int at = 3600 * i / events;
        const QString period = QStringLiteral("%1. Drittel").arg(at / 1200 + 1);
        const bool home = i % 2 == 0;
        RecordedEvent e;
        e.time = QStringLiteral("19:30:00");
        e.period = period;
        e.clock = QStringLiteral("12:00");
        e.side = home ? QStringLiteral("home") : QStringLiteral("guest");
        e.team = home ? r.home : r.guest;
        e.elapsed = at;
        if (i % (events / goals) == 0 && score[0] + score[1] < goals) {
            ++score[home ? 0 : 1];
            e.what = QStringLiteral("Tor");
            e.counts = QStringLiteral("goal");
            e.number = 1 + i % 99;
            e.assists = {1 + (i + 7) % 99, 1 + (i + 13) % 99};
        } else if (i % (events / penalties) == 1) {
            e.what = QStringLiteral("Strafe #%1 2 min").arg(1 + i % 99);
            e.counts = QStringLiteral("penalty");
            e.number = 1 + i % 99;
            e.seconds = 120;
        } else {
            e.side.clear();
            e.what = i % 2 ? QStringLiteral("Uhr läuft") : QStringLiteral("Uhr steht");
        }
        e.score = QStringLiteral("%1:%2").arg(score[0]).arg(score[1]);
        if (i % 1200 == 1199)
            e.counts = QStringLiteral("periodEnd");
        r.events.push_back(e);
    }
    r.score = QStringLiteral("%1:%2").arg(score[0]).arg(score[1]);
    return r;
}

void BM_ReportSheet60Goals40Penalties(benchmark::State& state) {
    const MatchReport r = match(60, 40, 300);
    for (auto _ : state)
        benchmark::DoNotOptimize(reportSheet(r));
}
BENCHMARK(BM_ReportSheet60Goals40Penalties)->Unit(benchmark::kMillisecond);

void BM_ReportPdf60Goals40Penalties(benchmark::State& state) {
    const MatchReport r = match(60, 40, 300);
    PdfReport pdf;
    for (auto _ : state)
        state.counters["bytes"] = double(pdf.pdf(r).size());
}
BENCHMARK(BM_ReportPdf60Goals40Penalties)->Unit(benchmark::kMillisecond);

void BM_ReportPdf5000Events(benchmark::State& state) {
    const MatchReport r = match(500, 500, 4000);
    PdfReport pdf;
    for (auto _ : state)
        state.counters["bytes"] = double(pdf.pdf(r).size());
}
BENCHMARK(BM_ReportPdf5000Events)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Qt's painting needs its fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
