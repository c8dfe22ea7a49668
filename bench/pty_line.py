#!/usr/bin/env python3
"""The display line's end of a pseudo-terminal for the footprint runs.

Opens a pseudo-terminal pair, writes the slave's path to the file named by the first argument,
then reads the master side until killed, writing one line a second to the second argument:
the second (epoch) and how many transmissions (frames with address "4") arrived in it.
"""

import os
import select
import sys
import time


def main() -> None:
    path_file, log_file = sys.argv[1], sys.argv[2]
    master, slave = os.openpty()  # the slave stays open: no hang-up between probe and open
    with open(path_file, "w") as f:
        f.write(os.ttyname(slave) + "\n")
    counts: dict[int, int] = {}
    last_written = int(time.time())
    tail = b""
    with open(log_file, "w", buffering=1) as log:
        while True:
            ready, _, _ = select.select([master], [], [], 0.2)
            now = int(time.time())
            if ready:
                data = tail + os.read(master, 4096)
                # A transmission ends with the frame of field 4.
                counts[now] = counts.get(now, 0) + data.count(b"\x024")
                tail = data[-1:]
            if now != last_written:
                for second in range(last_written, now):
                    log.write(f"{second} {counts.pop(second, 0)}\n")
                last_written = now


if __name__ == "__main__":
    main()
