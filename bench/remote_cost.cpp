// What one message of a remote costs the program's thread, the thread the tick runs on: a
// command proven with a wrong key (what a guesser or a flood sends), a broken message, and a goal
// proven with the key (the command itself, with its step and transmission).
//
//   cmake --build build-bench --target bench_remote_cost
//   build-bench/bench/bench_remote_cost --benchmark_min_time=1 --benchmark_repetitions=5

#include "tests/support/desk.h"
#include "web/remote_control.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

namespace {

using namespace ml;

struct Remote {
    test::Desk desk;
    web::RemoteControl control{desk.p, desk.clock, desk.storage};
    int id = 0;
    qint64 n = 0;
    quint32 address = 0x0A000001;

    Remote() {
        desk.live();
        control.cut = [this](int cut) {
            control.close(cut);
            id = 0;
        };
        control.challenge = [] { return QStringLiteral("0123456789abcdef0123456789abcdef"); };
    }
    // A message as a remote sends it, with the key or a wrong one; from a fresh connection,
    // paired, whenever the last was cut off or locked out.
    QByteArray command(bool rightKey) {
        while (id == 0) {
            id = control.open(QHostAddress(address++));
            control.receive(id, message("hello", true));
        }
        // A hand's pace for the connection's rate: what is measured is one message.
        desk.clock.advanceMs(100);
        return message("command", rightKey);
    }
    QByteArray message(const char* type, bool rightKey) {
        const QJsonObject m{{"type", type},
                            {"name", "Bank"},
                            {"id", QString::number(++n)},
                            {"action", "homePlus"},
                            {"at", double(desk.clock.wallMs())}};
        const QByteArray key =
            rightKey ? QByteArray::fromHex(control.keyText().toLatin1()) : QByteArray(16, 0);
        return QJsonDocument(web::withMac(m, key, control.challenge()))
            .toJson(QJsonDocument::Compact);
    }
};

void BM_RemoteWrongKey(benchmark::State& state) {
    Remote r;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray m = r.command(false);
        state.ResumeTiming();
        r.control.receive(r.id, m);
    }
}
BENCHMARK(BM_RemoteWrongKey);

void BM_RemoteBroken(benchmark::State& state) {
    Remote r;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray m = r.command(true).left(40);
        state.ResumeTiming();
        r.control.receive(r.id, m);
    }
}
BENCHMARK(BM_RemoteBroken);

void BM_RemoteGoal(benchmark::State& state) {
    Remote r;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray m = r.command(true);
        state.ResumeTiming();
        r.control.receive(r.id, m);
    }
}
BENCHMARK(BM_RemoteGoal);

} // namespace

BENCHMARK_MAIN();
