#!/usr/bin/env bash
# Start-up time of marklight under Xvfb, median of 10 runs: from process start to the window on
# screen, and to the first tick's composition (the tick logs itself under the logging category
# marklight.timing when QT_LOGGING_RULES enables it).
#
#   bench/startup.sh [runs]
#
# Needs a Release build in build-bench, Xvfb and xdotool. Run from the repository's top directory.
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/marklight_xvfb.sh

RUNS=${1:-10}
[ -x "$MARKLIGHT" ] || { echo "build $MARKLIGHT first" >&2; exit 1; }
WORK=$(mktemp -d /tmp/marklight-startup.XXXXXX)
trap 'stop_xvfb || true; rm -rf "$WORK"' EXIT
start_xvfb ${XVFB_DISPLAY:-97}

echo "reproduce: bench/startup.sh $RUNS"
echo "machine: $(nproc) cores, $(uname -sr), load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%4s %10s %12s %12s %12s\n' run "start, ms" "window, ms" "1st tick, ms" "tick-window"
for run in $(seq "$RUNS"); do
    rm -f "$WORK/t0" "$WORK/log"
    # Every run a first start: a killed run leaves a match that the next would offer to resume.
    fresh_profile "$WORK/profile"
    # Start anywhere in the second: the first tick waits for the next second boundary.
    sleep "0.$(printf '%03d' $((RANDOM % 1000)))"
    # The stamp is taken just before exec, so it is if anything early.
    QT_LOGGING_RULES="marklight.timing.debug=true" \
        QT_MESSAGE_PATTERN='%{time yyyy-MM-dd HH:mm:ss.zzz} %{message}' \
        sh -c 'date +%s%N > "$0"; exec "$1"' "$WORK/t0" "$MARKLIGHT" 2>"$WORK/log" &
    PID=$!
    WINDOW_NS=
    TICK_NS=
    for _ in $(seq 1000); do
        if [ -z "$WINDOW_NS" ] && xdotool search --onlyvisible --name '^Marklight$' >/dev/null 2>&1
        then
            WINDOW_NS=$(date +%s%N)
        fi
        if [ -z "$TICK_NS" ] && grep -q 'tick composed' "$WORK/log" 2>/dev/null; then
            STAMP=$(grep -m1 'tick composed' "$WORK/log" | cut -d' ' -f1-2)
            TICK_NS=$(date -d "$STAMP" +%s%N)
        fi
        [ -n "$WINDOW_NS" ] && [ -n "$TICK_NS" ] && break
        sleep 0.01
    done
    kill "$PID" 2>/dev/null || true
    wait "$PID" 2>/dev/null || true
    T0=$(cat "$WORK/t0")
    [ -n "$WINDOW_NS" ] && [ -n "$TICK_NS" ] || { echo "run $run: no window or no tick" >&2; exit 1; }
    W=$(((WINDOW_NS - T0) / 1000000))
    T=$(((TICK_NS - T0) / 1000000))
    printf '%4d %10d %12d %12d %12d\n' "$run" $(((T0 / 1000000) % 1000)) "$W" "$T" $((T - W))
    echo "$W $T" >>"$WORK/results"
    sleep 0.3
done
median() { sort -n | awk '{v[NR] = $1} END {print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
echo "median, process start to window on screen: $(cut -d' ' -f1 "$WORK/results" | median) ms"
echo "median, process start to first tick composed: $(cut -d' ' -f2 "$WORK/results" | median) ms"
echo "start, ms: where in the second the process started; tick-window: the first tick's"
echo "composition less the window's appearance (the window is polled every 10 ms)."
