// Cost of one match tick with the output composer, in three situations: the scoreboard with a
// running clock, the last minute (100 ms tick with tenths), and two-row scrolling free text.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench --target bench_tick_cost
//   build-bench/bench/bench_tick_cost --benchmark_min_time=1 --benchmark_repetitions=5

#include "tests/support/desk.h"

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

struct Desk : test::BasicDesk<NullDevice> {
    Desk() { live(); }
    // One second of the time of day: the tick (and in the last minute ten of them).
    void second(benchmark::State& state, int ticksPerSecond) {
        clock.advance(1);
        for (int i = 0; i < ticksPerSecond; ++i) {
            p.tenths();
            p.tick();
        }
        state.counters["bytes"] = double(device.written);
    }
};

void BM_TickScoreboard(benchmark::State& state) {
    Desk desk;
    desk.p.click(desk.p.form.St_St);
    for (auto _ : state)
        desk.second(state, 1);
}
BENCHMARK(BM_TickScoreboard);

void BM_TickLastMinute(benchmark::State& state) {
    Desk desk;
    desk.p.type(desk.p.form.D_Min, QStringLiteral("0"));
    desk.p.type(desk.p.form.D_Sec, QStringLiteral("59"));
    desk.p.click(desk.p.form.St_St);
    int n = 0;
    for (auto _ : state) {
        // One step is the last minute's 100 ms tick, as the program runs it. Stay inside the last
        // minute: restart it before it runs out (50 s).
        if (++n % 500 == 0) {
            state.PauseTiming();
            desk.p.click(desk.p.form.St_St);
            desk.p.type(desk.p.form.D_Min, QStringLiteral("0"));
            desk.p.type(desk.p.form.D_Sec, QStringLiteral("59"));
            desk.p.click(desk.p.form.St_St);
            state.ResumeTiming();
        }
        desk.clock.advanceMs(100);
        desk.p.tenths();
        desk.p.tick();
    }
}
BENCHMARK(BM_TickLastMinute);

void BM_TickScrollingFreeText(benchmark::State& state) {
    Desk desk;
    desk.p.click(desk.p.form.Scroll_O);
    desk.p.click(desk.p.form.ShText);
    desk.p.click(desk.p.form.St_St);
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
