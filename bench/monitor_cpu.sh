#!/usr/bin/env bash
# CPU cost of the display monitor ("Ansicht → Anzeige-Monitor") with a scrolling text running:
# marklight under Xvfb, port open on a pseudo-terminal, "Anzeigen" and "freier Text" ticked with
# the upper row scrolling; CPU share of one core over MONITOR_SECONDS (default 60) with the
# monitor closed, then the same span with it open at its first size, then at the screen's size.
#
# Needs a Release build in build-bench (cmake --build build-bench --target marklight), Xvfb,
# xdotool and python3. Run from the repository's top directory.
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/marklight_xvfb.sh
SPAN=${MONITOR_SECONDS:-60}
[ -x "$MARKLIGHT" ] || { echo "build $MARKLIGHT first" >&2; exit 1; }

WORK=$(mktemp -d /tmp/marklight-monitor.XXXXXX)
cleanup() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "${LINE_PID:-}" ] && kill "$LINE_PID" 2>/dev/null || true
    stop_xvfb || true
    rm -rf "$WORK"
}
trap cleanup EXIT
# A profile of its own: the monitor opens at its first size.
fresh_profile "$WORK/profile"

start_xvfb 95
python3 bench/pty_line.py "$WORK/pty" "$WORK/line.log" &
LINE_PID=$!
for _ in $(seq 100); do [ -s "$WORK/pty" ] && break; sleep 0.05; done
export MARKLIGHT_PORTS
MARKLIGHT_PORTS=$(cat "$WORK/pty")

"$MARKLIGHT" &
APP_PID=$!
find_window
click_open_output
click_displ
click_control 1680 3240 975 360  # "Scrollen" of the upper row
click_control 1680 2280 1215 200 # "freier Text"

span() {
    local t0 c0 t1 c1
    t0=$(date +%s.%N)
    c0=$(cpu_ticks "$APP_PID")
    sleep "$SPAN"
    c1=$(cpu_ticks "$APP_PID")
    t1=$(date +%s.%N)
    awk -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" -v hz="$(getconf CLK_TCK)" -v what="$1" \
        'BEGIN { printf "%s: %.2f %% of one core over %.1f s\n", what, 100 * (c1 - c0) / hz / (t1 - t0), t1 - t0 }'
}

echo "reproduce: bench/monitor_cpu.sh"
echo "machine: $(nproc) cores, $(uname -sr), load $(cut -d' ' -f1-3 /proc/loadavg)"
sleep 2
span "monitor closed"
# "Ansicht", then its item "Anzeige-Monitor" by its underlined letter, wherever the menu puts it.
xdotool mousemove $((WIN_X + 114)) $((WIN_Y + MENU_H / 2)) click 1
sleep 0.5
xdotool key m
sleep 1
xdotool search --onlyvisible --name '^Anzeige-Monitor$' >/dev/null || { echo "no monitor" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^Anzeige-Monitor$' | head -1)")"
span "monitor open, ${WIDTH} × ${HEIGHT} pixels"
# As large as the screen (Xvfb has no window manager to honour F11's full screen).
xdotool search --onlyvisible --name '^Anzeige-Monitor$' windowmove 0 0 windowsize 1024 768
sleep 1
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name '^Anzeige-Monitor$' | head -1)")"
span "monitor at the screen's size, ${WIDTH} × ${HEIGHT} pixels"
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
