// Marklight's live feed for the pages: keeps the match from /live, reconnects by itself and
// says when it is offline. Between messages the counts run here, from the value and the
// server's time of the value; every message corrects them, and a shown count never goes back.
"use strict";
const Marklight = (() => {
  // The page's language: the desk's, or the address's `?lang=de|en` (texts.js, made by the desk,
  // holds the translations of the pages' German words).
  const texts = typeof MarklightTexts === "object" ? MarklightTexts : { desk: "de" };
  const asked = new URLSearchParams(location.search).get("lang");
  const lang = asked === "de" || asked === "en" ? asked : texts.desk;
  const t = (german) => (texts[lang] && texts[lang][german]) || german;
  document.documentElement.lang = lang;
  const state = {};
  let render = () => {};
  let socket = null, lastMessage = 0, retry = 500, timer = null;
  // The server's clock less this browser's: the largest of the recent samples of (server's
  // time of sending - time of arrival), so the page is never ahead by the message's way.
  const samples = [];
  let offset = null;
  const shown = {};

  const offline = document.createElement("div");
  offline.id = "offline";
  offline.textContent = t("Keine Verbindung – verbinde neu …");

  function setOnline(on) {
    document.body.classList.toggle("offline", !on);
  }

  // `?offline=keep` keeps the last picture with a small grey dot while the line is down (a
  // stream must not show a red bar); `?offline=bar` says it in a bar across the page.
  function offlineStyle(fallback) {
    const asked = new URLSearchParams(location.search).get("offline");
    return asked === "keep" || asked === "bar" ? asked : fallback;
  }

  function connect() {
    const scheme = location.protocol === "https:" ? "wss://" : "ws://";
    socket = new WebSocket(scheme + location.host + "/live");
    socket.onmessage = (event) => {
      const m = JSON.parse(event.data);
      lastMessage = Date.now();
      samples.push(m.now - lastMessage);
      if (samples.length > 30) samples.shift();
      offset = Math.max(...samples);
      if (m.type === "state") {
        for (const k of Object.keys(state)) delete state[k];
        Object.assign(state, m.state);
      } else {
        Object.assign(state, m.changes);
      }
      retry = 500;
      setOnline(true);
      update();
    };
    socket.onclose = () => {
      socket = null;
      setOnline(false);
      setTimeout(connect, retry);
      retry = Math.min(retry * 2, 5000);
    };
  }

  // What a count shows of its exact value, in ms, as the display line shows it: counting down
  // the upper end of the second it is in (in the last minute, of the tenth), below zero the
  // second it has begun; counting up the seconds it has completed; a timeout or break whole
  // seconds.
  function shownMs(ms, kind) {
    const ceilTo = (v, q) => Math.ceil(v / q) * q;
    const floorTo = (v, q) => Math.floor(v / q) * q;
    if (kind === "up") return floorTo(ms, 1000);
    if (kind === "interruption") return ceilTo(ms, 1000);
    const tenths = ceilTo(ms, 100);
    if (tenths >= 0 && tenths < 60000) return tenths;
    return tenths > 0 ? ceilTo(ms, 1000) : floorTo(ms, 1000);
  }

  // The value of a running count now, by the server's clock.
  function valueNow(count, kind) {
    if (!count.running || offset === null) return count.ms;
    return count.ms + (kind === "up" ? 1 : -1) * (Date.now() + offset - count.at);
  }

  // Milliseconds until what a running count shows changes.
  function untilTurn(ms, kind) {
    const now = shownMs(ms, kind);
    const step = kind === "up" ? 1 : -1;
    for (let d = 1; d <= 1100; d++)
      if (shownMs(ms + step * d, kind) !== now) return d;
    return 1000;
  }

  // A count as (second, tenth) now. A shown count never goes back between messages.
  function run(name, count, kind, stopsAtZero) {
    const ms = valueNow(count, kind);
    let q = Math.trunc(shownMs(ms, kind) / 100);
    if (stopsAtZero) q = Math.max(q, 0);
    const last = shown[name];
    // A jump of more than a second and a half is the operator's (a typed clock), not drift.
    if (count.running && last && Math.abs(q - last.q) <= 15)
      q = kind === "up" ? Math.max(q, last.q) : Math.min(q, last.q);
    shown[name] = { q: q };
    const second = Math.trunc(q / 10);
    return { second: second, tenth: Math.abs(q - second * 10), ms: ms };
  }

  function clockText(second) {
    const minutes = Math.trunc(second / 60);
    const rest = Math.abs(second - minutes * 60);
    return (second < 0 && minutes === 0 ? "-0" : String(minutes)) + ":" +
      (rest < 10 ? "0" : "") + rest;
  }

  // The match clock and the timeout or break count as the page shows them now.
  function clocks() {
    const c = state.clock, out = {};
    if (c.running) {
      const r = run("clock", c, c.countsDown ? "down" : "up", c.stopsAtZero);
      const tenths = c.countsDown && r.second >= 0 && r.second < 60 ? r.tenth : null;
      out.clock = { text: clockText(r.second), running: true, ms: r.ms, tenths: tenths,
        seconds: r.second, lastMinute: tenths !== null };
    } else {
      shown.clock = null;
      const seconds = Math.round(c.ms / 1000);
      out.clock = { text: c.text, running: false, ms: c.ms, tenths: c.tenths, seconds: seconds,
        lastMinute: c.tenths !== null && seconds >= 0 && seconds < 60 };
    }
    const i = state.interruption;
    if (i && i.running) {
      const r = run("interruption", i, "interruption", true);
      out.interruption = { kind: i.kind, team: i.team, text: clockText(r.second) };
    } else {
      shown.interruption = null;
      out.interruption = i ? { kind: i.kind, team: i.team, text: i.text } : null;
    }
    return out;
  }

  // Renders now, and again when a running count shows its next tenth.
  function update() {
    clearTimeout(timer);
    if (!state.clock) return;
    const c = clocks();
    render(state, c);
    const i = state.interruption;
    if ((state.clock.running || (i && i.running)) && offset !== null) {
      const kind = state.clock.running ? (state.clock.countsDown ? "down" : "up") : "interruption";
      const count = state.clock.running ? state.clock : i;
      timer = setTimeout(update, untilTurn(valueNow(count, kind), kind));
    }
  }

  // Watches the line: the server sends at least once a second (the time of day).
  setInterval(() => {
    if (socket && socket.readyState === WebSocket.OPEN && Date.now() - lastMessage > 4000)
      socket.close();
  }, 1000);

  return {
    // The count's rules, as the program has them (a test runs them against the program's).
    shownMs: shownMs,
    clockText: clockText,
    // The match clock as a line shows it: in the last minute seconds and tenths ("42.7").
    clockLine(clock) {
      return clock.lastMinute ? clock.seconds + "." + clock.tenths : clock.text;
    },
    // The page's words in its language: the German text's translation.
    t: t,
    // "Timeout 0:30", "Timeout Füchse 0:42" (a team's) or "Pause 4:12"; empty without one.
    interruptionText(i) {
      if (!i) return "";
      const team = i.kind === "timeout" && i.team ? state[i.team].name + " " : "";
      return t(i.kind === "timeout" ? "Timeout" : "Pause") + " " + team + i.text;
    },
    // A side's penalties under a sport, "#7 1:45", waiting ones with "(wartet)", at most `most`
    // of them and then "+N"; without a sport its one penalty as `penaltyText` says it.
    penaltyLines(side, most) {
      const list = side.penalties || [];
      if (!list.length) return side.penalty ? [t("Strafe") + " " + side.penalty.text] : [];
      const shownText = (p) => (p.number ? "#" + p.number + " " : "") +
        p.text.replace(/^0(?=\d:)/, "") + (p.running ? "" : " (" + t("wartet") + ")");
      const lines = list.slice(0, most).map(shownText);
      if (list.length > most) lines.push("+" + (list.length - most));
      return lines;
    },
    // A team's timeouts as the desk shows them, taken ● and still allowed ○; empty without.
    timeoutMarks(side) {
      return side.timeouts ? side.timeouts.marks : "";
    },
    // The match is over ("Spielende").
    over(s) {
      return !!s.period && s.period.phase === "over";
    },
    // A side's running penalty, "Strafe 1:45" (`named`: "Strafe Füchse 1:45"); empty without.
    penaltyText(side, named) {
      return side.penalty ? t("Strafe") + " " + (named ? side.name + " " : "") + side.penalty.text : "";
    },
    // A team's fouls in the period, with the rules' mark once each further one is punished.
    foulCount(fouls) {
      return fouls.period + (fouls.mark ? " " + fouls.mark : "");
    },
    // Writes an element's text only when it changed, so a page lays out only what moved.
    set(id, text) {
      const e = document.getElementById(id);
      if (e.textContent !== String(text)) e.textContent = text;
    },
    // Both sides' names and scores, into "homeName", "guestScore" and so on.
    showSides(s) {
      for (const side of ["home", "guest"]) {
        this.set(side + "Name", s[side].name);
        this.set(side + "Score", s[side].score);
      }
    },
    // `fn(state, clocks)` runs on every message and whenever a running count turns; `offline`
    // the page's own way of saying the line is down ("bar" or "keep"), which `?offline=`
    // overrides.
    start(fn, offlineDefault) {
      render = fn;
      // The page's own words: the text of each element marked `data-t`, and its title.
      for (const e of document.querySelectorAll("[data-t]")) {
        e.textContent = t(e.textContent);
        if (e.title) e.title = t(e.title);
      }
      const title = document.title.split(" – ");
      if (title.length === 2) document.title = title[0] + " – " + t(title[1]);
      document.body.classList.toggle("keep-offline", offlineStyle(offlineDefault || "bar") === "keep");
      document.body.appendChild(offline);
      setOnline(false);
      connect();
    },
    params: new URLSearchParams(location.search),
  };
})();
