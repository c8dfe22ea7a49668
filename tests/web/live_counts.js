// Runs the pages' count rules (live.js, argument 1) for the counts on stdin, one "KIND MS" a
// line, and prints a line each: the value the page shows in ms and the clock's text of it.
"use strict";
const fs = require("fs");
const vm = require("vm");

const element = () => ({ classList: { toggle() {} }, appendChild() {} });
const page = { document: { createElement: element, body: element(), documentElement: {} },
  location: { search: "" },
  URLSearchParams: URLSearchParams, setInterval() {} };
vm.createContext(page);
vm.runInContext(fs.readFileSync(process.argv[2], "utf8") + "\nthis.Marklight = Marklight;", page);
const live = page.Marklight;

const out = [];
for (const line of fs.readFileSync(0, "utf8").split("\n")) {
  if (!line) continue;
  const [kind, ms] = line.split(" ");
  const shown = live.shownMs(Number(ms), kind);
  out.push(shown + " " + live.clockText(Math.trunc(shown / 1000)));
}
process.stdout.write(out.join("\n") + "\n");
