// Decoding one 48-byte scoreboard transmission, as marklight-display and the monitor do for
// every transmission of a running clock: two that differ in the separators, alternately.

#include "display/line_decoder.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DecodeScoreboard(benchmark::State& state) {
    const QByteArray wire[2] = {"\x02"
                                "11Heim    \n\x02"
                                "21  Gegner\n\x02"
                                "31 3  : 12\n\x02"
                                "41:34: 15 \n",
                                "\x02"
                                "11Heim    \n\x02"
                                "21  Gegner\n\x02"
                                "31 3    12\n\x02"
                                "41:34  15 \n"};
    ml::LineDecoder decoder;
    qint64 now = 0;
    for (auto _ : state) {
        decoder.feed(wire[now & 1], now);
        decoder.flush(now);
        benchmark::DoNotOptimize(decoder.state());
        ++now;
    }
    state.SetBytesProcessed(state.iterations() * wire[0].size());
}
BENCHMARK(BM_DecodeScoreboard);

} // namespace

BENCHMARK_MAIN();
