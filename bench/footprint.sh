#!/usr/bin/env bash
# Footprint of marklight in the last minute's 100 ms tick: CPU share of one core and peak
# resident memory, with the port open on a pseudo-terminal and "Anzeigen" ticked.
#
#   bench/footprint.sh              60 s in the last minute
#   bench/footprint.sh --soak       one hour (SOAK_SECONDS to change it), the last minute
#                                   started again every 50 s, resident memory sampled every minute
#
# Needs a Release build in build-bench (cmake -S . -B build-bench -G Ninja
# -DCMAKE_BUILD_TYPE=Release && cmake --build build-bench --target marklight), Xvfb, xdotool,
# python3 and /usr/bin/time. Run from the repository's top directory. MARKLIGHT names another
# build's program, FOOTPRINT_DISPLAY another X display (97, for the soak 98).
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/marklight_xvfb.sh

MODE=footprint
DISPLAY_NUM=${FOOTPRINT_DISPLAY:-97}
SECONDS_TOTAL=${FOOTPRINT_SECONDS:-60}
if [ "${1:-}" = "--soak" ]; then
    MODE=soak
    DISPLAY_NUM=${FOOTPRINT_DISPLAY:-98}
    SECONDS_TOTAL=${SOAK_SECONDS:-3600}
fi
[ -x "$MARKLIGHT" ] || { echo "build $MARKLIGHT first" >&2; exit 1; }

WORK=$(mktemp -d /tmp/marklight-$MODE.XXXXXX)
cleanup() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "${LINE_PID:-}" ] && kill "$LINE_PID" 2>/dev/null || true
    stop_xvfb || true
    rm -rf "$WORK"
}
trap cleanup EXIT
fresh_profile "$WORK/profile"

start_xvfb "$DISPLAY_NUM"
python3 bench/pty_line.py "$WORK/pty" "$WORK/line.log" &
LINE_PID=$!
for _ in $(seq 100); do [ -s "$WORK/pty" ] && break; sleep 0.05; done
export MARKLIGHT_PORTS
MARKLIGHT_PORTS=$(cat "$WORK/pty")

/usr/bin/time -v -o "$WORK/time.txt" "$MARKLIGHT" &
TIME_PID=$!
find_window
APP_PID=$(pgrep -P "$TIME_PID")
click_open_output
click_displ
start_last_minute
ensure_last_minute

echo "reproduce: bench/footprint.sh${1:+ $1}"
echo "machine: $(nproc) cores, $(uname -sr), load $(cut -d' ' -f1-3 /proc/loadavg)"
T0=$(date +%s.%N)
C0=$(cpu_ticks "$APP_PID")
RSS=()
elapsed=0
while [ "$elapsed" -lt "$SECONDS_TOTAL" ]; do
    sleep 10
    elapsed=$((elapsed + 10))
    if [ $((elapsed % 50)) -eq 0 ] && [ "$elapsed" -lt "$SECONDS_TOTAL" ]; then
        restart_last_minute
        ensure_last_minute
    fi
    if [ "$MODE" = soak ] && [ $((elapsed % 60)) -eq 0 ]; then
        RSS+=("$(rss_kb "$APP_PID")")
        echo "minute $((elapsed / 60)): rss ${RSS[-1]} kB"
    fi
done
C1=$(cpu_ticks "$APP_PID")
T1=$(date +%s.%N)
HZ=$(getconf CLK_TCK)

# Transmissions a second on the line over the measured span (ten in the last minute's tick).
SENT=$(awk -v a="${T0%.*}" -v b="${T1%.*}" '$1 > a && $1 < b {n += $2; s += 1} END {
    if (s) printf "%.1f", n / s; else print "none" }' "$WORK/line.log")

kill "$APP_PID"
wait "$TIME_PID" || true
APP_PID=
PEAK=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$WORK/time.txt")
awk -v c0="$C0" -v c1="$C1" -v t0="$T0" -v t1="$T1" -v hz="$HZ" -v peak="$PEAK" -v sent="$SENT" '
BEGIN {
    printf "span %.1f s in the last minute, %s transmissions a second on the line\n", t1 - t0, sent
    printf "cpu: %.2f %% of one core (%.2f s of cpu)\n", 100 * (c1 - c0) / hz / (t1 - t0), (c1 - c0) / hz
    printf "peak resident memory: %.1f MB (%d kB)\n", peak / 1024, peak
}'
if [ "$MODE" = soak ]; then
    printf 'rss series (kB, one a minute): %s\n' "${RSS[*]}"
    printf '%s\n' "${RSS[@]}" | awk 'NR == 1 {first = $1; min = $1; max = $1}
        {if ($1 < min) min = $1; if ($1 > max) max = $1; last = $1}
        END {printf "rss first %d kB, last %d kB, min %d kB, max %d kB, growth %+d kB\n",
             first, last, min, max, last - first}'
fi
