#!/usr/bin/env python3
"""/turnier in headless Chromium shows two courts from a Mosquitto of the test's own, a goal on one
within 500 ms, and "offline" for the other once its marklight is killed (kill -9: the broker
sends its last will).

Court "feld1" is marklight itself (`--mqtt`, offscreen); court "feld2" is a test publisher. A
subscriber checks what marklight publishes: the retained state and "online" at connect, and
"offline" after the kill. Screenshots go to the artefact folder. Arguments: MARKLIGHT ARTEFACTS.
Exit status 77 (skipped) when Mosquitto, Chromium, Selenium or paho-mqtt are missing.
"""

import json, os, shutil, signal, socket, subprocess, sys, tempfile, time

# The browser and the waiting of the other page test.
from browser_test import browser, wait

SKIP = 77


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def connected(client, port):
    """`client` connected to the broker, once it listens."""
    def attempt():
        try:
            return client.connect("127.0.0.1", port) == 0
        except OSError:
            return False
    wait(attempt, 5, "the broker")
    client.loop_start()
    return client


def main():
    marklight, artefacts = sys.argv[1], sys.argv[2]
    try:
        import paho.mqtt.client as mqtt
        import selenium  # noqa: F401 (the browser's driver)
    except ImportError:
        return SKIP
    if not all(shutil.which(t) for t in ("mosquitto", "chromium", "chromedriver")):
        return SKIP
    os.makedirs(artefacts, exist_ok=True)
    scratch = tempfile.mkdtemp()
    tcp, ws = free_port(), free_port()
    conf = os.path.join(scratch, "mosquitto.conf")
    with open(conf, "w") as f:
        f.write(f"allow_anonymous true\npersistence false\nlistener {tcp} 127.0.0.1\n"
                f"listener {ws} 127.0.0.1\nprotocol websockets\n")
    broker = subprocess.Popen(["mosquitto", "-c", conf], stderr=subprocess.DEVNULL)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_CONFIG_HOME=scratch + "/config",
               XDG_DATA_HOME=scratch + "/data")
    app = driver = None
    try:
        seen = []
        sub = mqtt.Client()
        sub.on_message = lambda c, u, m: seen.append((m.topic, m.payload.decode(), m.retain))
        sub.on_connect = lambda c, u, f, rc: c.subscribe("marklight/halle1/#")
        connected(sub, tcp)

        app = subprocess.Popen([marklight, "--web", "127.0.0.1:0", "--mqtt",
                                f"mqtt://127.0.0.1:{tcp}/halle1/feld1"], env=env,
                               stdout=subprocess.PIPE, text=True)
        base = app.stdout.readline().strip()
        state = wait(lambda: next((json.loads(p) for t, p, r in seen
                                   if t == "marklight/halle1/feld1/state"), None), 10,
                     "marklight's state")
        assert state["type"] == "state" and state["state"]["home"]["score"] == "0", state
        wait(lambda: any(t == "marklight/halle1/feld1/status" and p == "online"
                         for t, p, r in seen), 5, "online")

        # The second court: the same state with its own names and score.
        pub = connected(mqtt.Client(), tcp)
        other = state["state"]
        other["home"].update(name="Adler", score="3")
        other["guest"].update(name="Bären", score="2")
        now = lambda: int(time.time() * 1000)
        pub.publish("marklight/halle1/feld2/status", "online", retain=True).wait_for_publish()
        pub.publish("marklight/halle1/feld2/state",
                    json.dumps({"type": "state", "now": now(), "state": other}),
                    retain=True).wait_for_publish()

        driver = browser(f"{base}turnier?broker=ws://127.0.0.1:{ws}&hall=halle1", "1920,1080")
        tiles = lambda: driver.execute_script(
            "return [...document.querySelectorAll('section.court')].map(t => t.innerText)")
        wait(lambda: len(tiles()) == 2 and "Adler" in tiles()[1], 10, "two courts")
        driver.execute_script("""
            const score = document.querySelector('[data-court="feld2"] .score.home');
            new MutationObserver(() => { if (score.textContent === '4') window.goalAt = Date.now(); })
                .observe(score, {childList: true, characterData: true, subtree: true});""")
        other["home"]["score"] = "4"
        sent = now()
        # A goal changes more than a running count: Marklight publishes the state (retained).
        pub.publish("marklight/halle1/feld2/state",
                    json.dumps({"type": "state", "now": sent, "state": other}), retain=True)
        shown = wait(lambda: driver.execute_script("return window.goalAt"), 3, "the goal")
        print(f"goal on the board {shown - sent} ms after it was published")
        assert shown - sent <= 500, shown - sent
        driver.save_screenshot(os.path.join(artefacts, "turnier.png"))

        app.send_signal(signal.SIGKILL)
        app.wait()
        wait(lambda: ("marklight/halle1/feld1/status", "offline", False) in seen, 5,
             "the last will")
        wait(lambda: "offline" in tiles()[0], 3, "offline on the board")
        driver.save_screenshot(os.path.join(artefacts, "turnier-offline.png"))
        pub.loop_stop()
        sub.loop_stop()
        return 0
    finally:
        if driver:
            driver.quit()
        if app and app.poll() is None:
            app.kill()
        broker.kill()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
