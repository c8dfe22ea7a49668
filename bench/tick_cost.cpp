// Cost of one match tick with the output composer, in three situations: the scoreboard with a
// running clock, the last minute (100 ms tick with tenths), and two-row scrolling free text.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench --target bench_tick_cost
//   build-bench/bench/bench_tick_cost --benchmark_min_time=1 --benchmark_repetitions=5

#include "core/program.h"
#include "platform/fakes/fakes.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace ml;

// A port that takes every transmission and keeps nothing.
class NullDevice : public FakeSerialDevice {
  public:
    bool write(const QByteArray& bytes) override {
        written += bytes.size();
        return isOpen();
    }
    qint64 written = 0;
};

struct Desk {
    FakeClock clock{QStringLiteral("10:00:00")};
    FakeDialogs dialogs;
    FakeShell shell;
    NullDevice device;
    Program program{clock, dialogs, shell, device};

    Desk() {
        device.openable = {1};
        program.start();
        program.click(QStringLiteral("OpenOutput"));
        program.click(QStringLiteral("Displ"));
    }
    // One second of the time of day: the tick (and in the last minute ten of them).
    void second(benchmark::State& state, int ticksPerSecond) {
        clock.advance(1);
        for (int i = 0; i < ticksPerSecond; ++i) {
            program.tenths();
            program.tick();
        }
        state.counters["bytes"] = double(device.written);
    }
};

void BM_TickScoreboard(benchmark::State& state) {
    Desk desk;
    desk.program.click(QStringLiteral("St_St"));
    for (auto _ : state)
        desk.second(state, 1);
}
BENCHMARK(BM_TickScoreboard);

void BM_TickLastMinute(benchmark::State& state) {
    Desk desk;
    desk.program.type(QStringLiteral("D_Min"), QStringLiteral("0"));
    desk.program.type(QStringLiteral("D_Sec"), QStringLiteral("59"));
    desk.program.click(QStringLiteral("St_St"));
    int n = 0;
    for (auto _ : state) {
        // Stay inside the last minute: restart it before it runs out.
        if (++n % 50 == 0) {
            state.PauseTiming();
            desk.program.click(QStringLiteral("St_St"));
            desk.program.type(QStringLiteral("D_Min"), QStringLiteral("0"));
            desk.program.type(QStringLiteral("D_Sec"), QStringLiteral("59"));
            desk.program.click(QStringLiteral("St_St"));
            state.ResumeTiming();
        }
        desk.clock.advance(1);
        desk.program.tenths();
        desk.program.tick();
    }
}
BENCHMARK(BM_TickLastMinute);

void BM_TickScrollingFreeText(benchmark::State& state) {
    Desk desk;
    desk.program.click(QStringLiteral("Scroll_O"));
    desk.program.click(QStringLiteral("ShText"));
    desk.program.click(QStringLiteral("St_St"));
    for (auto _ : state)
        desk.second(state, 1);
}
BENCHMARK(BM_TickScrollingFreeText);

} // namespace

int main(int argc, char** argv) {
    std::printf("reproduce: build-bench/bench/bench_tick_cost --benchmark_min_time=1 "
                "--benchmark_repetitions=5\n");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
