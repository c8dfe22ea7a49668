#!/usr/bin/env python3
"""A goal clicked on the desk reaches /overlay and /uhr in a real browser within 500 ms.

Runs marklight under its own Xvfb with `--web 127.0.0.1:0`, opens both pages in headless
Chromium, clicks the home side's +1 arrow and reads the time at which each page's score
changed. Screenshots of both pages go to the artefact folder. Arguments: MARKLIGHT ARTEFACTS.
Exit status 77 (skipped) when Xvfb, xdotool, Chromium or Selenium are missing.
"""

import os, shutil, subprocess, sys, tempfile, time

SKIP = 77
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"]
# The home side's +1 arrow (app/window_layout.cpp, twips), and the window's client height.
UP_L = (50, 1080, 735, 615)
CLIENT_HEIGHT = 341


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
    if not all(shutil.which(t) for t in ("Xvfb", "xdotool", "chromium", "chromedriver")):
        return SKIP
    os.makedirs(artefacts, exist_ok=True)
    display = f":{90 + os.getpid() % 100}"
    env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=tempfile.mkdtemp(),
               XDG_DATA_HOME=tempfile.mkdtemp(), QT_QPA_PLATFORM="xcb")
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    program = drivers = None
    try:
        time.sleep(0.5)
        program = subprocess.Popen([marklight, "--web", "127.0.0.1:0"], env=env,
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        base = program.stdout.readline().strip()
        if not base.startswith("http://127.0.0.1:"):
            sys.exit(f"no address from marklight: {base!r}")
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
        return 1 if failed else 0
    finally:
        for d in (drivers or {}).values():
            d.quit()
        for p in (program, xvfb):
            if p:
                p.terminate()
                p.wait()


if __name__ == "__main__":
    sys.exit(main())
