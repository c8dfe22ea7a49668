# Shared by footprint.sh and startup.sh: runs marklight under Xvfb and drives its window with
# xdotool at the controls' places (twips / 15 = pixels below the menu bar). Source it.

MARKLIGHT=${MARKLIGHT:-build-bench/app/marklight}

# Gives marklight, from here on, settings and data folders of its own, made afresh under $1, so
# that no earlier match's resume question blocks its window and no run leaves one to the next.
fresh_profile() {
    rm -rf "$1"
    mkdir -p "$1/config" "$1/data"
    export XDG_CONFIG_HOME=$1/config XDG_DATA_HOME=$1/data
}

# Starts Xvfb on display $1 (96 dpi) and waits until it answers.
start_xvfb() {
    DISPLAY_NUM=$1
    Xvfb ":$DISPLAY_NUM" -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset >"/tmp/xvfb-$DISPLAY_NUM.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$DISPLAY_NUM"
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "Xvfb :$DISPLAY_NUM did not start" >&2
    return 1
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}

# Waits for the window titled "Marklight" and reads its place and the menu bar's height.
find_window() {
    WIN=
    for _ in $(seq 200); do
        WIN=$(xdotool search --onlyvisible --name '^Marklight$' 2>/dev/null | head -1 || true)
        [ -n "$WIN" ] && break
        sleep 0.05
    done
    [ -n "$WIN" ] || { echo "no Marklight window" >&2; return 1; }
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    WIN_X=$X
    WIN_Y=$Y
    MENU_H=$((HEIGHT - 341))
    # Let the start-up settle and give the window the keyboard (there is no window manager).
    sleep 0.5
    xdotool windowfocus --sync "$WIN" 2>/dev/null || true
}

# Clicks at the centre of a control's place given in twips (left top width height).
click_control() {
    local cx=$((($1 + $3 / 2) / 15)) cy=$((($2 + $4 / 2) / 15))
    xdotool mousemove $((WIN_X + cx)) $((WIN_Y + MENU_H + cy)) click 1
    sleep 0.2
}

# Replaces the text of a text box with $5.
type_into() {
    click_control "$1" "$2" "$3" "$4"
    xdotool key ctrl+a
    xdotool type --delay 20 "$5"
    sleep 0.1
}

# Places of the controls the scripts use (app/window_layout.cpp).
click_st_st() { click_control 3290 1920 1095 495; }
click_open_output() { click_control 1920 2640 1095 360; }
click_displ() { click_control 240 1920 1215 495; }

# With the clock standing: sets it to 0:59 and starts it, so it runs in the last minute.
start_last_minute() {
    type_into 2280 960 1335 735 0
    type_into 4080 960 1335 735 59
    click_st_st
}

# Stops the running clock and starts the last minute again.
restart_last_minute() {
    click_st_st
    start_last_minute
}

# Transmissions in the last whole second on the line ($WORK/line.log, written by pty_line.py).
line_rate() {
    tail -1 "$WORK/line.log" | awk '{print $2 + 0}'
}

# After start_last_minute or restart_last_minute: makes sure the last minute runs (ten
# transmissions a second on the line), starting it again when a click or key went astray.
ensure_last_minute() {
    for _ in 1 2 3 4; do
        sleep 2.2
        [ "$(line_rate)" -ge 5 ] && return 0
        restart_last_minute
    done
    echo "the last minute did not start" >&2
    return 1
}

# CPU time (user + system) of a process in clock ticks.
cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}

rss_kb() {
    awk '/^VmRSS/ {print $2}' "/proc/$1/status"
}
