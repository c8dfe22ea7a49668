#!/usr/bin/env bash
# The horn at the end of the playing time, end to end: marklight under Xvfb with its port on a
# pseudo-terminal and its sound in a PulseAudio null sink; a count-down from 0:05 runs out. The
# transmission that first shows the clock below zero and the horn's first sample in the sink are
# stamped on one clock (bench/horn_end.py). Then the same actions in marklight-replay.
#
#   bench/horn_end.sh [BUILD_DIR]      (default build-bench; display :58)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-bench}
MARKLIGHT=$BUILD/app/marklight
WORK=$(mktemp -d)
. bench/marklight_xvfb.sh

cleanup() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "${READER_PID:-}" ] && kill "$READER_PID" 2>/dev/null || true
    [ -n "${PA_PID:-}" ] && kill "$PA_PID" 2>/dev/null || true
    stop_xvfb
    rm -rf "$WORK"
}
trap cleanup EXIT
fresh_profile "$WORK/profile"

# A sound server of our own with one null sink.
cat >"$WORK/null.pa" <<PA
load-module module-native-protocol-unix socket=$WORK/native auth-anonymous=1
load-module module-null-sink sink_name=horn rate=48000 channels=1
set-default-sink horn
PA
HOME=$WORK XDG_RUNTIME_DIR=$WORK PULSE_RUNTIME_PATH=$WORK/rt pulseaudio -n -F "$WORK/null.pa" \
    --daemonize=no --exit-idle-time=-1 --use-pid-file=no 2>"$WORK/pulse.log" &
PA_PID=$!
export PULSE_SERVER=unix:$WORK/native
for _ in $(seq 100); do pactl list short sinks 2>/dev/null | grep -q horn && break; sleep 0.05; done

python3 bench/horn_end.py "$WORK/pty" 16 >"$WORK/result" &
READER_PID=$!
for _ in $(seq 100); do [ -s "$WORK/pty" ] && break; sleep 0.05; done

start_xvfb 58
MARKLIGHT_PORTS=$(cat "$WORK/pty") "$MARKLIGHT" >"${APP_LOG:-$WORK/app.log}" 2>&1 &
APP_PID=$!
find_window
click_open_output
click_displ
type_into 2280 960 1335 735 0
type_into 4080 960 1335 735 05
click_st_st
wait "$READER_PID" || true
READER_PID=
cat "$WORK/result"

"$BUILD/tools/marklight-replay" <<'SCRIPT' | grep -E "^horn|^serial write" | tail -n 3
ports 1
time 10:00:00
start
click OpenOutput
click Displ
type D_Min 0
type D_Sec 05
click St_St
time 10:00:01
boundary second
time 10:00:02
boundary second
time 10:00:03
boundary second
time 10:00:04
boundary second
time 10:00:05
boundary second
time 10:00:06
boundary second
SCRIPT
