#!/usr/bin/env python3
"""A timekeeper's clock, end to end: Marklight under Xvfb with a pseudo-terminal as its port,
driven by real key presses.

A 1:00 count-down is started and stopped by F5 at random moments until it has run out; the
display line's end of the pseudo-terminal is read by `marklight-display --text`. Prints the
running time (the sum of the spans between the key presses that started and stopped it) at
which -0:01 reached the line, and how long after its key press a goal (F2), pressed 0.3 s after
a transmission of a new second, reached the line.

    python3 bench/clock_stops.py [BUILD_DIR] [--stops 20] [--seed N]
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build-bench")
    parser.add_argument("--stops", type=int, default=20)
    parser.add_argument("--seed", type=int, default=int(time.time()))
    args = parser.parse_args()
    rnd = random.Random(args.seed)
    print(f"reproduce: python3 bench/clock_stops.py {args.build} --stops {args.stops} "
          f"--seed {args.seed}")

    home = tempfile.mkdtemp(prefix="marklight-stops-")
    os.makedirs(f"{home}/config/Marklight")
    with open(f"{home}/config/Marklight/Marklight.conf", "w") as f:
        f.write("[General]\nstartValue=1.0\n")
    env = dict(os.environ, XDG_CONFIG_HOME=f"{home}/config", XDG_DATA_HOME=f"{home}/data",
               DISPLAY=":97", QT_QPA_PLATFORM="xcb")
    procs = []
    try:
        procs.append(subprocess.Popen(["Xvfb", ":97", "-screen", "0", "1024x768x24", "-nolisten",
                                       "tcp"], stderr=subprocess.DEVNULL))
        procs.append(subprocess.Popen(["socat", f"pty,raw,echo=0,link={home}/line-a",
                                       f"pty,raw,echo=0,link={home}/line-b"],
                                      stderr=subprocess.DEVNULL))
        time.sleep(1.0)
        reader = subprocess.Popen([f"{args.build}/tools/display/marklight-display", "--text",
                                   f"{home}/line-b"], stdout=subprocess.PIPE, text=True, env=env)
        procs.append(reader)
        os.set_blocking(reader.stdout.fileno(), False)
        procs.append(subprocess.Popen([f"{args.build}/app/marklight"], env=dict(
            env, MARKLIGHT_PORTS=f"{home}/line-a"), stderr=subprocess.DEVNULL))

        window = ""
        for _ in range(100):
            window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                     "^Marklight$"], env=env, capture_output=True,
                                    text=True).stdout.split()
            if window:
                break
            time.sleep(0.1)
        if not window:
            print("no Marklight window", file=sys.stderr)
            return 1
        time.sleep(0.5)
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], env=env)

        lines: list[tuple[float, str]] = []  # (arrival on this clock, line)

        def read_line() -> None:
            while True:
                try:
                    line = reader.stdout.readline()
                except (BlockingIOError, TypeError):
                    return
                if not line:
                    return
                lines.append((time.monotonic(), line.rstrip("\n")))

        def key(name: str) -> float:
            at = time.monotonic()
            subprocess.run(["xdotool", "key", name], env=env)
            return at

        def wait_for(pattern: str, since: int, timeout: float) -> tuple[float, int] | None:
            end = time.monotonic() + timeout
            while time.monotonic() < end:
                read_line()
                for i in range(since, len(lines)):
                    if re.search(pattern, lines[i][1]):
                        return lines[i][0], i
                time.sleep(0.0005)
            return None

        key("ctrl+o")
        time.sleep(0.3)
        key("F8")
        if not wait_for(r"\|\s*0\s+1:00\s+0 \|", 0, 5):
            print("the line does not show 1:00", file=sys.stderr)
            return 1

        ran = 0.0
        seen = len(lines)
        end = None
        for stop in range(args.stops + 1):
            started = key("F5")
            if stop < args.stops:
                time.sleep(rnd.uniform(0.2, 60.0 / args.stops * 0.9))
            got = wait_for(r"-0:01", seen, 0.05 if stop < args.stops else 70)
            if got:
                end = ran + got[0] - started
                break
            stopped = key("F5")
            ran += stopped - started
            time.sleep(rnd.uniform(0.1, 0.9))
            read_line()
            seen = len(lines)
        if end is None:
            print("-0:01 never reached the line", file=sys.stderr)
            return 1
        print(f"stops: {args.stops}; -0:01 on the line after {end:.3f} s of running "
              f"(goal 60.0 to 60.2 s)")

        # The clock runs on below zero: a goal 0.3 s after a transmission of a new second.
        delays = []
        for _ in range(10):
            read_line()
            since = len(lines)
            got = wait_for(r"-\d:\d\d", since, 2)
            if not got:
                break
            time.sleep(max(0.0, got[0] + 0.3 - time.monotonic()))
            score = len(delays) + 1
            pressed = key("F2")
            arrived = wait_for(rf"\|\s*{score}\s+-", len(lines), 2)
            if arrived:
                delays.append((arrived[0] - pressed) * 1000)
        if delays:
            delays.sort()
            print(f"goal key 0.3 s after a second to the line, ms: n {len(delays)}, "
                  f"min {delays[0]:.1f}, median {delays[len(delays) // 2]:.1f}, "
                  f"max {delays[-1]:.1f} (goal <= 50)")
        return 0
    finally:
        for p in reversed(procs):
            p.terminate()
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
