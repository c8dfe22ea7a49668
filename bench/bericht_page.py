#!/usr/bin/env python3
"""The page /bericht with the record of a 60-minute match (60 goals with scorers and assists,
40 penalties, 300 clock starts and stops) in headless Chromium: the milliseconds from the start
of the navigation until the page has drawn its tables and chart, and the drawing alone, as the
page itself measures them (performance.now()).

  bericht_page.py [--runs 5]

The page is served as Marklight serves it (web/pages/), with a live.js in place of the feed that
hands the page that record at once. Needs chromium.
"""

import argparse, functools, http.server, json, os, re, shutil, statistics, subprocess, tempfile
import threading

PAGES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web", "pages")


def record():
    events, score = [], [0, 0]
    for i in range(400):
        at = 3600 * i // 400
        side = "home" if i % 2 == 0 else "guest"
        e = {"time": "19:30:00", "period": "%d. Drittel" % (at // 1200 + 1), "clock": "12:00",
             "side": side, "team": "Adler" if side == "home" else "Eisbären", "what": "Uhr läuft",
             "counts": "", "elapsed": at, "number": 0, "assists": [], "seconds": 0,
             "withdrawn": False}
        if i % 6 == 0 and sum(score) < 60:
            score[0 if side == "home" else 1] += 1
            e.update(what="Tor", counts="goal", number=1 + i % 99,
                     assists=[1 + (i + 7) % 99, 1 + (i + 13) % 99])
        elif i % 10 == 1:
            e.update(what="Strafe #%d 2 min" % (1 + i % 99), counts="penalty",
                     number=1 + i % 99, seconds=120)
        e["score"] = "%d:%d" % tuple(score)
        events.append(e)
    return events, score


def live_js():
    events, score = record()
    state = {"home": {"name": "Adler", "score": str(score[0])},
             "guest": {"name": "Eisbären", "score": str(score[1])},
             "sport": {"id": "eishockey", "name": "Eishockey"}, "record": events}
    return ("const Marklight = { set(id, t) { document.getElementById(id).textContent = t; },"
            " start(fn) { const t = performance.now(); fn(%s, {}); const d = performance.now();"
            " document.title = 'drawn ' + d.toFixed(1) + ' ' + (d - t).toFixed(1); } };"
            % json.dumps(state))


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        if self.path == "/live.js":
            body = live_js().encode()
            kind = "text/javascript; charset=utf-8"
        else:
            name = {"/bericht": "bericht.html", "/pages.css": "pages.css"}.get(self.path)
            if not name:
                self.send_error(404)
                return
            body = open(os.path.join(PAGES, name), "rb").read()
            kind = "text/html; charset=utf-8" if name.endswith("html") else "text/css"
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    runs = parser.parse_args().runs
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = "http://127.0.0.1:%d/bericht" % server.server_port
    chromium = shutil.which("chromium") or "chromium"
    times = []
    for _ in range(runs):
        with tempfile.TemporaryDirectory() as profile:
            out = subprocess.run(
                [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--user-data-dir=" + profile,
                 "--dump-dom", url], capture_output=True, text=True, timeout=60).stdout
        m = re.search(r"<title>drawn ([0-9.]+) ([0-9.]+)</title>", out)
        if not m:
            raise SystemExit("the page did not draw:\n" + out[:2000])
        times.append((float(m.group(1)), float(m.group(2))))
    server.shutdown()
    whole = [t[0] for t in times]
    drawing = [t[1] for t in times]
    print("bericht: drawn %s ms after the navigation began (median %.1f, max %.1f); the drawing"
          " itself %s ms (median %.1f)"
          % (", ".join("%.1f" % t for t in whole), statistics.median(whole), max(whole),
             ", ".join("%.1f" % t for t in drawing), statistics.median(drawing)))


if __name__ == "__main__":
    main()
