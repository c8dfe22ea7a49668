#!/usr/bin/env python3
"""The web face end to end: marklight under Xvfb with a pseudo-terminal as its port and
`--web`, the clock running.

  web_feed.py lag [--seconds 120]      wire to browser: from the first byte of each new second
                                       on the pseudo-terminal to /uhr's DOM in headless Chromium
                                       showing it
  web_feed.py clients [--seconds 60] [--clients 50] [--last-minute]
                                       Marklight's CPU, memory and clock-to-wire latency over a
                                       span without feed clients, then over one with them
  web_feed.py remotes [--seconds 30] [--clients 10] [--rate 50]
                                       the same in the last minute, without and then with remotes
                                       on /remote sending commands with wrong proofs of the key
                                       (each a rate a second; one that is cut off connects again
                                       for its next; eight from each loopback address)

Needs a build of marklight (MARKLIGHT, default build-bench/app/marklight), Xvfb, xdotool, and
for `lag` Chromium, its driver and python3-selenium (run with /usr/bin/python3).
"""

import argparse, base64, os, re, selectors, shutil, socket, statistics, subprocess, sys
import tempfile, threading, time

MARKLIGHT = os.environ.get("MARKLIGHT", "build-bench/app/marklight")
# Fields 3 and 4 of a scoreboard transmission: score, minutes | seconds, score.
SCORE = re.compile(rb"\x023[123](.{8})\n\x024[123](.{8})\n", re.S)


class Line(threading.Thread):
    """The display line's end of a pseudo-terminal: every scoreboard transmission with the time
    (epoch ms) its first byte arrived."""

    def __init__(self):
        super().__init__(daemon=True)
        self.master, self.slave = os.openpty()
        self.path = os.ttyname(self.slave)
        self.shown = []  # (arrival ms, "mm:ss") for each transmission

    def run(self):
        buf, chunks = b"", []  # chunks: (offset in buf, arrival ms)
        while True:
            data = os.read(self.master, 4096)
            chunks.append((len(buf), time.time() * 1000))
            buf += data
            end = 0
            for m in SCORE.finditer(buf):
                arrival = max(t for off, t in chunks if off <= m.start())
                minutes = m.group(1)[5:8].decode("latin-1").strip()
                self.shown.append((arrival, f"{minutes}:{m.group(2)[1:3].decode('latin-1')}"))
                end = m.end()
            if end:
                first = max(t for off, t in chunks if off <= end)
                chunks = [(0, first)] + [(off - end, t) for off, t in chunks if off > end]
                buf = buf[end:]


class Desk:
    """marklight under its own Xvfb, driven by keys."""

    def __init__(self, line):
        self.display = f":{80 + os.getpid() % 10}"
        self.env = dict(os.environ, DISPLAY=self.display, MARKLIGHT_PORTS=line.path,
                        XDG_CONFIG_HOME=tempfile.mkdtemp(), XDG_DATA_HOME=tempfile.mkdtemp())
        self.xvfb = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1024x768x24",
                                      "-nolisten", "tcp"], stderr=subprocess.DEVNULL)
        time.sleep(0.7)
        self.app = subprocess.Popen([MARKLIGHT, "--web", "127.0.0.1:0"], env=self.env,
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.base = self.app.stdout.readline().strip()
        for _ in range(100):
            out = self.xdo("search", "--onlyvisible", "--name", "^Marklight$").split()
            if out:
                self.window = out[0]
                break
            time.sleep(0.05)
        time.sleep(0.5)
        self.xdo("windowfocus", "--sync", self.window)
        geometry = dict(l.split("=") for l in self.xdo("getwindowgeometry", "--shell",
                                                       self.window).split())
        self.x, self.y = int(geometry["X"]), int(geometry["Y"]) + int(geometry["HEIGHT"]) - 341

    def xdo(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                              text=True).stdout

    def keys(self, *keys):
        for k in keys:
            self.xdo("key", k)
            time.sleep(0.3)

    def type_into(self, left, top, width, height, text):
        self.xdo("mousemove", str(self.x + (left + width // 2) // 15),
                 str(self.y + (top + height // 2) // 15), "click", "1")
        time.sleep(0.2)
        self.xdo("key", "ctrl+a")
        self.xdo("type", text)
        self.xdo("key", "Escape")
        time.sleep(0.2)

    def last_minute(self):
        """Stops the clock, sets it to 0:59 and starts it."""
        if self.running:
            self.keys("F5")
        self.type_into(2280, 960, 1335, 735, "0")
        self.type_into(4080, 960, 1335, 735, "59")
        self.keys("F5")
        self.running = True

    def start(self):
        self.keys("ctrl+o", "F8", "F5")
        self.running = True

    def cpu_ticks(self):
        fields = open(f"/proc/{self.app.pid}/stat").read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])

    def rss_kb(self):
        for l in open(f"/proc/{self.app.pid}/status"):
            if l.startswith("VmRSS"):
                return int(l.split()[1])

    def state(self):
        import json, urllib.request
        with urllib.request.urlopen(self.base + "api/state") as r:
            return json.load(r)["state"]

    def close(self):
        for p in (self.app, self.xvfb):
            p.terminate()
            p.wait()


def pct(values, q):
    values = sorted(values)
    return values[min(len(values) - 1, int(q * len(values)))]


def lag(desk, line, seconds):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--user-data-dir=" + tempfile.mkdtemp(),
                 "--window-size=1280,720"]:
        options.add_argument(flag)
    options.binary_location = shutil.which("chromium")
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    try:
        driver.get(desk.base + "uhr")
        time.sleep(2)
        driver.execute_script("""
            window.seen = [];
            const e = document.getElementById('clock');
            new MutationObserver(() => window.seen.push([Date.now(), e.textContent]))
                .observe(e, {childList: true, characterData: true, subtree: true});""")
        desk.start()
        time.sleep(seconds)
        seen = driver.execute_script("return window.seen")
    finally:
        driver.quit()
    dom = {}
    for at, text in seen:
        dom.setdefault(text, at)
    wire, previous = {}, None
    for at, text in line.shown:
        if text != previous and re.fullmatch(r"-?\d+:\d\d", text):
            wire.setdefault(text, at)
        previous = text
    lags = [dom[t] - wire[t] for t in wire if t in dom and t != "20:00"]
    print(f"wire to browser over {seconds} s: {len(lags)} seconds, "
          f"p50 {statistics.median(lags):.0f} ms, p99 {pct(lags, 0.99):.0f} ms, "
          f"max {max(lags):.0f} ms, min {min(lags):.0f} ms (negative: the page ahead)")
    # The page's clock only ever goes down while it runs.
    values = [int(m) * 60 + int(sec) for _, t in seen if re.fullmatch(r"\d+:\d\d", t)
              for m, sec in [t.split(":")]]
    back = sum(1 for a, b in zip(values, values[1:]) if b > a)
    print(f"the page's clock stepped back {back} times in {len(values)} changes")
    missing = [t for t in wire if t not in dom and t != "20:00"]
    if missing:
        print(f"seconds on the wire never shown by the page: {missing[:10]}")


class Clients(threading.Thread):
    """Feed clients on /live that read everything and answer the server's pings (as a browser
    does), eight from each loopback address (the server's bound), and one that reads nothing."""

    def __init__(self, port, count):
        super().__init__(daemon=True)
        self.sel = selectors.DefaultSelector()
        self.bytes = 0
        # One more that never reads, with a small receive window: a slow reader; when the server
        # cut it off, in seconds after it connected.
        self.slow = self.connect(port, "127.0.0.9", 4096)
        self.since = time.time()
        self.slow_cut = None
        for i in range(count):
            self.sel.register(self.connect(port, f"127.0.0.{10 + i // 8}"), selectors.EVENT_READ,
                              bytearray())

    @staticmethod
    def connect(port, source, window=None):
        s = socket.socket()
        if window:
            s.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, window)
        s.bind((source, 0))
        s.connect(("127.0.0.1", port))
        key = base64.b64encode(os.urandom(16)).decode()
        s.sendall(f"GET /live HTTP/1.1\r\nHost: 127.0.0.1:{port}\r\nUpgrade: websocket\r\n"
                  f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                  "Sec-WebSocket-Version: 13\r\n\r\n".encode())
        return s

    @staticmethod
    def pongs(buf):
        """Takes the whole frames off `buf` (after the handshake's head); the pongs they ask for."""
        if buf.startswith(b"HTTP/"):
            end = buf.find(b"\r\n\r\n")
            if end < 0:
                return b""
            del buf[:end + 4]
        out = b""
        while len(buf) >= 2:
            n, at = buf[1] & 0x7F, 2
            if n >= 126:
                at = 4 if n == 126 else 10
                if len(buf) < at:
                    break
                n = int.from_bytes(buf[2:at], "big")
            if len(buf) < at + n:
                break
            if buf[0] & 0x0F == 0x9:
                out += Remotes.frame(bytes(buf[at:at + n]), 0x8A)
            del buf[:at + n]
        return out

    def slow_cut_off(self):
        """Whether Marklight has cut the slow reader off: no socket of Marklight's is connected
        to it any more (the system may still be sending what it holds, so the reader's own socket
        stays established)."""
        port = self.slow.getsockname()[1]
        out = subprocess.run(["ss", "-tnpH", f"dport = :{port}"], capture_output=True, text=True)
        return "marklight" not in out.stdout

    def run(self):
        checked = 0
        while True:
            # Once a second until the slow reader is cut off.
            if self.slow_cut is None and time.time() - checked >= 1:
                checked = time.time()
                if self.slow_cut_off():
                    self.slow_cut = checked - self.since
            for key, _ in self.sel.select(timeout=0.2):
                data = key.fileobj.recv(65536)
                self.bytes += len(data)
                if not data:
                    self.sel.unregister(key.fileobj)
                    continue
                key.data.extend(data)
                if pong := self.pongs(key.data):
                    key.fileobj.sendall(pong)


class Remotes(threading.Thread):
    """Remotes on /remote that each send `rate` commands a second with a wrong proof of the key,
    alternately a goal and the clock, and connect again when they are cut off."""

    def __init__(self, port, count, rate):
        super().__init__(daemon=True)
        self.port, self.count, self.rate = port, count, rate
        self.sent = self.connects = self.refused = 0
        self.stop = False

    def connect(self, i):
        s = socket.socket()
        s.bind((f"127.0.0.{100 + i // 8}", 0))
        s.connect(("127.0.0.1", self.port))
        key = base64.b64encode(os.urandom(16)).decode()
        s.sendall(f"GET /remote HTTP/1.1\r\nHost: 127.0.0.1:{self.port}\r\nUpgrade: websocket\r\n"
                  f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                  "Sec-WebSocket-Version: 13\r\n\r\n".encode())
        s.setblocking(False)
        self.connects += 1
        return s

    @staticmethod
    def frame(payload, opcode=0x81):
        data = payload.encode() if isinstance(payload, str) else payload
        mask = os.urandom(4)
        head = bytes([opcode, 0x80 | len(data)]) if len(data) < 126 else \
            bytes([opcode, 0xFE]) + len(data).to_bytes(2, "big")
        return head + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data))

    def run(self):
        sockets = [None] * self.count
        n, period = 0, 1.0 / self.rate
        next_at = time.time()
        while not self.stop:
            next_at += period
            for i in range(self.count):
                try:
                    if sockets[i] is None:
                        sockets[i] = self.connect(i)
                    try:
                        if sockets[i].recv(65536) == b"":
                            raise ConnectionError
                    except BlockingIOError:
                        pass
                    n += 1
                    action = "homePlus" if n % 2 else "clock"
                    sockets[i].sendall(self.frame(
                        f'{{"type":"command","mac":"{os.urandom(32).hex()}","id":"b{n}",'
                        f'"action":"{action}","at":{int(time.time() * 1000)}}}'))
                    self.sent += 1
                except (ConnectionError, OSError):
                    self.refused += 1
                    if sockets[i]:
                        sockets[i].close()
                    sockets[i] = None
            time.sleep(max(0, next_at - time.time()))


def span(desk, line, seconds, what, last_minute, reset=True):
    if last_minute and reset:
        desk.last_minute()
        time.sleep(1.5)
    start = len(line.shown)
    unit = 100 if last_minute else 1000
    # The count turns on its own seconds and tenths: at the moments its exact value (`ms`, which
    # it had at the server's time `at`) crosses a whole tenth or second, counting down.
    clock = desk.state()["clock"]
    phase = (clock["at"] + clock["ms"]) % unit if clock["running"] else 0
    t0, c0 = time.time(), desk.cpu_ticks()
    time.sleep(seconds)
    t1, c1 = time.time(), desk.cpu_ticks()
    # Each transmission that shows a new second or tenth: its arrival after that boundary. The
    # boundary is known to a millisecond (`at` and `ms` are whole ones), so an arrival within it
    # may seem early: kept as a small negative delay, not wrapped round to nearly a whole unit.
    lags, previous = [], None
    for at, text in line.shown[start:]:
        if text != previous:
            lags.append((at - phase + unit / 2) % unit - unit / 2)
        previous = text
    cpu = 100 * (c1 - c0) / os.sysconf("SC_CLK_TCK") / (t1 - t0)
    print(f"{what}: CPU {cpu:.2f} % of one core over {t1 - t0:.0f} s, RSS {desk.rss_kb() / 1024:.1f}"
          f" MB, clock to wire ({len(lags)} transmissions) p50 {statistics.median(lags):.1f} ms, "
          f"p99 {pct(lags, 0.99):.1f} ms, max {max(lags):.1f} ms")
    return line.shown[start:]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("what", choices=["lag", "clients", "remotes"])
    parser.add_argument("--seconds", type=int)
    parser.add_argument("--clients", type=int)
    parser.add_argument("--rate", type=int, default=50)
    parser.add_argument("--last-minute", action="store_true")
    a = parser.parse_args()
    line = Line()
    line.start()
    desk = Desk(line)
    print(f"reproduce: bench/web_feed.py {' '.join(sys.argv[1:])}")
    print(f"machine: {os.cpu_count()} cores, load {open('/proc/loadavg').read().split()[:3]}")
    try:
        if a.what == "lag":
            lag(desk, line, a.seconds or 120)
        elif a.what == "remotes":
            count, seconds = a.clients or 10, a.seconds or 30
            desk.start()
            time.sleep(2)
            span(desk, line, seconds, "no remotes", True)
            remotes = Remotes(int(desk.base.rsplit(":", 1)[1].strip("/")), count, a.rate)
            desk.last_minute()
            remotes.start()
            time.sleep(1.5)
            shown = span(desk, line, seconds, f"{count} remotes with wrong proofs", True, False)
            remotes.stop = True
            print(f"the remotes sent {remotes.sent} commands ({remotes.sent / (seconds + 1.5):.0f}"
                  f" a second) over {remotes.connects} connections; {remotes.refused} sends found"
                  f" the connection cut or refused")
            # A command applied would show as a goal, or as the clock standing (no new tenths).
            state = desk.state()
            print(f"after them: home score {state['home']['score']}, clock running "
                  f"{state['clock']['running']}, {len(shown)} transmissions in {seconds} s")
        else:
            a.clients = a.clients or 50
            desk.start()
            time.sleep(2)
            span(desk, line, a.seconds or 60, "no feed clients", a.last_minute)
            clients = Clients(int(desk.base.rsplit(":", 1)[1].strip("/")), a.clients)
            clients.start()
            time.sleep(2)
            span(desk, line, a.seconds or 60, f"{a.clients} feed clients", a.last_minute)
            print(f"the clients received {clients.bytes / 1024:.0f} KB")
            # The slow reader, given up to a minute more in the last minute.
            if a.last_minute:
                desk.last_minute()
            for _ in range(60):
                if clients.slow_cut is not None:
                    break
                time.sleep(1)
            print("the slow reader was " +
                  (f"cut off {clients.slow_cut:.1f} s after it connected"
                   if clients.slow_cut is not None else
                   f"still connected {time.time() - clients.since:.0f} s after it connected"))
    finally:
        desk.close()


if __name__ == "__main__":
    main()
