#!/usr/bin/env python3
"""The display line's end of a pseudo-terminal and a recorder of the horn, on one clock.

Opens a pseudo-terminal pair and writes the slave's path to the file named by the first
argument; runs parec on the null sink's monitor (PULSE_SERVER from the environment). Both are
read in one loop and stamped with time.monotonic() on arrival. Runs for the seconds given as the
second argument, then prints: the clock of each transmission with its arrival, the arrival of the
first transmission that shows the clock below zero, and the first sample of the horn (its chunk's
arrival less the play time of the samples after it in the chunk), and their distance.
"""

import array
import os
import select
import subprocess
import sys
import time

RATE = 48000


def main() -> None:
    path_file, seconds = sys.argv[1], float(sys.argv[2])
    master, slave = os.openpty()
    with open(path_file, "w") as f:
        f.write(os.ttyname(slave) + "\n")
    rec = subprocess.Popen(
        ["parec", "--device=horn.monitor", "--format=s16le", f"--rate={RATE}", "--channels=1",
         "--raw", "--latency-msec=5"], stdout=subprocess.PIPE)
    line = b""
    line_start = None
    transmissions = []  # (arrival of its first byte, clock text)
    samples = 0
    onset = None  # (estimated time of the first sample, arrival of its chunk)
    pending = b""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        ready, _, _ = select.select([master, rec.stdout], [], [], 0.05)
        now = time.monotonic()
        if master in ready:
            data = os.read(master, 4096)
            if line_start is None:
                line_start = now
            line += data
            # A transmission ends with the frame of field 4 (STX, "4", brightness, 8 characters,
            # LF).
            while True:
                i = line.find(b"\x024")
                if i < 0 or len(line) < i + 12:
                    break
                frames = {}
                for part in line[: i + 12].split(b"\x02"):
                    if len(part) >= 10:
                        frames[part[:1]] = part[2:10].decode("cp1252")
                if b"3" in frames and b"4" in frames:
                    clock = (frames[b"3"][5:8] + frames[b"4"][0:3]).strip()
                    transmissions.append((line_start, clock))
                line = line[i + 12:]
                line_start = now if line else None
        if rec.stdout in ready:
            chunk = os.read(rec.stdout.fileno(), 65536)
            pending += chunk
            n = len(pending) // 2
            if onset is None:
                values = array.array("h", pending[: 2 * n])
                k = next((k for k, v in enumerate(values) if abs(v) > 1000), None)
                if k is not None:
                    onset = (now - (n - 1 - k) / RATE, now)
            samples += n
            pending = pending[2 * n:]
    rec.terminate()
    wall = time.time() - time.monotonic()
    below = next(((t, c) for t, c in transmissions if c.startswith("-")), None)
    for t, c in transmissions[-24:]:
        print(f"transmission {t:.4f} {c} (wall clock .{int((t + wall) * 1000) % 1000:03d})")
    if below is None or onset is None:
        print("no transmission below zero" if below is None else "no horn recorded")
        sys.exit(1)
    print(f"first below zero {below[1]} at {below[0]:.4f}")
    print(f"horn first sample {onset[0]:.4f} (its chunk arrived {onset[1]:.4f})")
    print(f"horn after the transmission: {1000 * (onset[0] - below[0]):.1f} ms "
          f"(by chunk arrival {1000 * (onset[1] - below[0]):.1f} ms)")


if __name__ == "__main__":
    main()
