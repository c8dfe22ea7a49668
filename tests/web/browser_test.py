#!/usr/bin/env python3
"""A goal clicked on the desk reaches /overlay and /uhr in a real browser within 500 ms; a phone
on /fernbedienung with the key runs the desk, one without it cannot.

Runs marklight under its own Xvfb with `--web 127.0.0.1:0` and a pseudo-terminal as port 1,
opens both pages in headless Chromium, clicks the home side's +1 arrow and reads the time at
which each page's score changed. Then the QR code of "Extras → Netzwerk…" must read as the
remote's address that marklight printed; /fernbedienung opened there taps "Tor Heim" and "Start",
and the display line's wire shows the goal and the clock running; the page opened without the
key changes nothing. Then a handball match, run from the phone: two home penalties with the
players' numbers (#7, #9) and a guest team timeout show on /uhr (1920 × 1080 and 390 × 844) and
/overlay; the half's end leads to the break screen (its count large, the next half named), the
second half's to the end screen ("Spielende"); the overlay keeps its picture while the line is
down; under ?lang=en no page shows a German word of the pages' catalog. Screenshots go to the
artefact folder. Arguments: MARKLIGHT ARTEFACTS.
Exit status 77 (skipped) when Xvfb, xdotool, ImageMagick, zbarimg, Chromium or Selenium are
missing.
"""

import os, re, shutil, subprocess, sys, tempfile, threading, time

SKIP = 77
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"]
# The home side's +1 arrow (app/window_layout.cpp, twips), and the window's client height.
UP_L = (50, 1080, 735, 615)
CLIENT_HEIGHT = 341
# Fields 3 and 4 of a scoreboard transmission: home score and minutes, seconds and guest score.
SCORE = re.compile(rb"\x023[123](.{8})\n\x024[123](.{8})\n", re.S)


class Line(threading.Thread):
    """The display line's end of a pseudo-terminal: the lower row of every scoreboard
    transmission, as "home mm:ss"."""

    def __init__(self):
        super().__init__(daemon=True)
        self.master, slave = os.openpty()
        self.path = os.ttyname(slave)
        self.rows = []

    def run(self):
        buf = b""
        while True:
            buf += os.read(self.master, 4096)
            for m in SCORE.finditer(buf):
                left, right = m.group(1).decode("latin-1"), m.group(2).decode("latin-1")
                self.rows.append(f"{left[:3].strip()} {left[5:].strip()}:{right[1:3]}")
            buf = buf[buf.rfind(b"\n") + 1:]


def browser(url, size):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    for flag in FLAGS + ["--user-data-dir=" + tempfile.mkdtemp(), "--window-size=" + size]:
        options.add_argument(flag)
    options.binary_location = shutil.which("chromium")
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    driver.get(url)
    return driver


def wait(predicate, seconds, what):
    end = time.time() + seconds
    while time.time() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    sys.exit(f"timed out: {what}")


def main():
    marklight, artefacts = sys.argv[1], sys.argv[2]
    try:
        import selenium  # noqa: F401
    except ImportError:
        return SKIP
    if not all(shutil.which(t) for t in ("Xvfb", "xdotool", "import", "zbarimg", "chromium",
                                         "chromedriver")):
        return SKIP
    os.makedirs(artefacts, exist_ok=True)
    display = f":{90 + os.getpid() % 100}"
    line = Line()
    line.start()
    env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=tempfile.mkdtemp(),
               XDG_DATA_HOME=tempfile.mkdtemp(), QT_QPA_PLATFORM="xcb", MARKLIGHT_PORTS=line.path)
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    program = drivers = None
    try:
        time.sleep(0.5)
        program = subprocess.Popen([marklight, "--web", "127.0.0.1:0"], env=env,
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        printed = [program.stdout.readline().strip() for _ in range(5)]
        base, remote = printed[0], printed[-1]
        if not base.startswith("http://127.0.0.1:") or "/fernbedienung#k=" not in remote:
            sys.exit(f"no addresses from marklight: {printed!r}")
        drivers = {page: browser(base + page, size)
                   for page, size in (("overlay", "1920,1080"), ("uhr", "1280,720"))}
        for d in drivers.values():
            wait(lambda: d.execute_script(
                "return document.getElementById('homeScore').textContent") == "0", 10, "pages")
            d.execute_script("""
                const e = document.getElementById('homeScore');
                new MutationObserver(() => { if (e.textContent === '1') window.goalAt = Date.now(); })
                    .observe(e, {childList: true, characterData: true, subtree: true});""")
        window = wait(lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^Marklight$"], env=env,
            capture_output=True, text=True).stdout.split(), 10, "window")[0]
        geometry = dict(line.split("=") for line in subprocess.run(
            ["xdotool", "getwindowgeometry", "--shell", window], env=env, capture_output=True,
            text=True).stdout.split())
        menu = int(geometry["HEIGHT"]) - CLIENT_HEIGHT
        x = int(geometry["X"]) + (UP_L[0] + UP_L[2] // 2) // 15
        y = int(geometry["Y"]) + menu + (UP_L[1] + UP_L[3] // 2) // 15
        time.sleep(0.5)
        subprocess.run(["xdotool", "mousemove", str(x), str(y)], env=env, check=True)
        clicked = time.time() * 1000
        subprocess.run(["xdotool", "click", "1"], env=env, check=True)
        failed = []
        for page, d in drivers.items():
            goal = wait(lambda: d.execute_script("return window.goalAt"), 5, page + " score")
            d.save_screenshot(os.path.join(artefacts, page + ".png"))
            print(f"{page}: score shown {goal - clicked:.0f} ms after the click")
            if goal - clicked > 500:
                failed.append(page)
        if failed or not remote_control(env, window, remote, line, artefacts):
            return 1
        program.terminate()
        program.wait()
        program = None
        return 0 if handball(marklight, env, artefacts) else 1
    finally:
        for d in (drivers or {}).values():
            d.quit()
        for p in (program, xvfb):
            if p:
                p.terminate()
                p.wait()


def remote_control(env, window, remote, line, artefacts):
    """The QR code reads as the remote's address; the page with the key runs the desk, the page
    without it does not."""
    xdo = lambda *a: subprocess.run(["xdotool", *a], env=env, check=True)
    xdo("windowfocus", "--sync", window)
    for key in ("ctrl+o", "F8", "alt+e", "n"):
        xdo("key", key)
        time.sleep(0.5)
    shot = os.path.join(artefacts, "netzwerk.png")
    subprocess.run(["import", "-window", "root", shot], env=env, check=True)
    qr = subprocess.run(["zbarimg", "-q", "--raw", shot], capture_output=True, text=True).stdout
    print(f"QR code of Extras → Netzwerk…: {qr.strip()!r}")
    xdo("key", "Escape")
    if qr.strip() != remote:
        return False

    from selenium.webdriver.common.by import By
    tap = lambda d, text: d.find_element(By.XPATH, f"//button[text()='{text}']").click()
    # Without the key: the buttons stay dead, even clicked from a script.
    stranger = browser(remote.split("#")[0], "390,760")
    wait(lambda: stranger.execute_script(
        "return document.getElementById('homeScore').textContent") == "1", 10, "read-only page")
    stranger.execute_script("for (const b of document.querySelectorAll('button[data-action]')) b.click()")
    phone = browser(remote, "390,760")
    try:
        wait(lambda: phone.find_element(By.ID, "status").text == "Verbunden", 10, "pairing")
        time.sleep(1)
        if line.rows[-1].split()[0] != "1":
            print(f"the page without the key changed the score: {line.rows[-1]}")
            return False
        stranger.save_screenshot(os.path.join(artefacts, "fernbedienung-ohne-schluessel.png"))
        tap(phone, "Tor Heim")
        time.sleep(0.3)
        tap(phone, "Start")
        wait(lambda: len({r for r in line.rows if r.startswith("2 ")}) >= 3, 10,
             "goal and running clock on the wire")
        phone.save_screenshot(os.path.join(artefacts, "fernbedienung.png"))
        print(f"the wire after the remote's taps: {sorted({r for r in line.rows if r.startswith('2 ')})}")
        return True
    finally:
        stranger.quit()
        phone.quit()


def handball(marklight, env, artefacts):
    """A handball match from the phone, on /uhr and /overlay."""
    from selenium.webdriver.common.by import By
    env = dict(env, XDG_CONFIG_HOME=tempfile.mkdtemp(), XDG_DATA_HOME=tempfile.mkdtemp())
    os.makedirs(os.path.join(env["XDG_CONFIG_HOME"], "Marklight"))
    with open(os.path.join(env["XDG_CONFIG_HOME"], "Marklight", "Marklight.conf"), "w") as f:
        f.write("[General]\nsport=handball\n")
    program = subprocess.Popen([marklight, "--web", "127.0.0.1:0"], env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    printed = [program.stdout.readline().strip() for _ in range(5)]
    base, remote = printed[0], printed[-1]
    pages = {}
    try:
        window = wait(lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^Marklight$"], env=env,
            capture_output=True, text=True).stdout.split(), 10, "window")[0]
        xdo = lambda *a: subprocess.run(["xdotool", *a], env=env, check=True)
        phone = pages["phone"] = browser(remote, "390,844")
        wait(lambda: phone.find_element(By.ID, "status").text == "Verbunden", 10, "pairing")
        tap = lambda text: phone.find_element(By.XPATH, f"//button[text()='{text}']").click()
        shown = lambda text: phone.find_element(By.XPATH, f"//button[text()='{text}']").is_displayed()
        wait(lambda: shown("Timeout Heim"), 10, "the remote's keys under handball")
        if shown("Timeout") or not shown("Nächster Abschnitt"):
            print("the remote under handball offers the referees' timeout or lacks the teams'")
            return False
        for text in ("Tor Heim", "Start"):
            tap(text)
            time.sleep(0.8)
        for number in ("7", "9"):
            tap("Strafe Heim")
            if number == "9":
                phone.save_screenshot(os.path.join(artefacts, "fernbedienung-handball-nummer.png"))
            tap(number)
            tap("Geben")
            time.sleep(0.8)
        tap("Timeout Gegner")
        # Under ?lang=en no German word of the pages' catalog shows (nor the remote's keys).
        for page in ("uhr", "overlay", "", "fernbedienung", "bericht"):
            english = pages["english"] = browser(base + page + "?lang=en", "1280,720")
            wait(lambda: english.execute_script("return document.documentElement.lang") == "en"
                 and "Heim" in english.execute_script("return document.body.innerText"), 10,
                 page + " in English")
            german = english.execute_script(
                "const t = MarklightTexts.en, shown = document.body.innerText + document.title;"
                "return Object.keys(t).filter((k) => t[k] !== k && k.length > 3 &&"
                " shown.includes(k));")
            english.quit()
            del pages["english"]
            if german:
                print(f"/{page}?lang=en shows German: {german}")
                return False
        for name, size in (("uhr", "1920,1080"), ("uhr-390", "390,844"), ("overlay", "1920,1080")):
            pages[name] = browser(base + name.split("-")[0], size)
        text = lambda d, id: d.execute_script(f"return document.getElementById('{id}').textContent")
        for name in ("uhr", "uhr-390"):
            d = pages[name]
            wait(lambda: "Timeout Gegner" in text(d, "middle") and "#9" in text(d, "homePenalty"),
                 10, name + " under handball")
            print(f"{name}: {text(d, 'period')!r} {text(d, 'homePenalty')!r} {text(d, 'middle')!r}"
                  f" {text(d, 'guestExtra')!r}")
            if "#7" not in text(d, "homePenalty") or "●" not in text(d, "guestExtra"):
                return False
            d.save_screenshot(os.path.join(artefacts, name + "-handball.png"))
        wait(lambda: all(n in text(pages["overlay"], "note") for n in ("#7", "#9", "Timeout Gegner")),
             10, "overlay under handball")
        pages["overlay"].save_screenshot(os.path.join(artefacts, "overlay-handball.png"))
        phone.save_screenshot(os.path.join(artefacts, "fernbedienung-handball.png"))
        if any("beenden" in b.text for b in phone.find_elements(By.CSS_SELECTOR, "button[data-pad]")):
            print("the remote's penalty key offers to end one")
            return False

        def run_out(timeout_runs=False):
            # The desk's clock set to 0:02 and started: the half runs out (a timeout that runs
            # ended first, F6: its count stands where the clock's boxes are).
            geometry = dict(l.split("=") for l in subprocess.run(
                ["xdotool", "getwindowgeometry", "--shell", window], env=env,
                capture_output=True, text=True).stdout.split())
            top = int(geometry["Y"]) + int(geometry["HEIGHT"]) - CLIENT_HEIGHT - 132
            xdo("windowfocus", "--sync", window)
            if timeout_runs:
                xdo("key", "F6")
            for left, typed in ((2280, "0"), (4080, "02")):
                xdo("mousemove", str(int(geometry["X"]) + (left + 667) // 15), str(top + 88))
                xdo("click", "1")
                xdo("type", typed)
            xdo("key", "Escape", "F5")
            time.sleep(3.5)


        run_out(True)
        tap("Nächster Abschnitt")
        for name in ("uhr", "uhr-390"):
            d = pages[name]
            wait(lambda: text(d, "period") == "Pause" and text(d, "middle") == "2. Halbzeit", 10,
                 f"{name} break screen: {text(d, 'period')!r} {text(d, 'middle')!r}")
            d.save_screenshot(os.path.join(artefacts, name + "-pause.png"))
        tap("Nächster Abschnitt")
        time.sleep(0.8)
        run_out()
        tap("Nächster Abschnitt")
        wait(lambda: text(pages["uhr"], "clock") == "Spielende", 10, "end screen")
        pages["uhr"].save_screenshot(os.path.join(artefacts, "uhr-spielende.png"))
        # The line down: the overlay keeps its picture with a grey dot.
        program.terminate()
        program.wait()
        overlay = pages["overlay"]
        wait(lambda: overlay.execute_script("return document.body.classList.contains('offline')"),
             10, "overlay offline")
        kept = overlay.execute_script(
            "return [getComputedStyle(document.querySelector('main')).opacity,"
            " document.getElementById('offline').getBoundingClientRect().width]")
        overlay.save_screenshot(os.path.join(artefacts, "overlay-offline.png"))
        print(f"overlay offline: opacity {kept[0]}, dot {kept[1]} px")
        return kept[0] == "1" and kept[1] <= 12
    finally:
        for d in pages.values():
            d.quit()
        program.terminate()
        program.wait()


if __name__ == "__main__":
    sys.exit(main())
