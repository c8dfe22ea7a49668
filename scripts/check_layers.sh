#!/usr/bin/env bash
# Checks that the folders depend only downwards, in the order docs/architecture.md states:
#   form → platform → bookkeeping → match → serial → display → core → {web, app, tools}
# Uses between the siblings are made on purpose: app/ wires the web face in and tools/ (the replay)
# drives the remote control (web/ knows nothing of either), and app/monitor (the LED window, drawn from the decoder) stands between display and
# {app, tools}: both may use it, it uses nothing of app/ or core/; app/report (the report drawn
# on paper) stands between core and {app, tools} alike. tests/ and bench/ may use anything.
# Every `#include "dir/…"` of the sources, and every target_link_libraries of the CMake files,
# must go to the folder itself or one below it; only app/ and tools/ link Qt Gui or Widgets.
# Prints each offence as FILE:LINE and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each folder and the folders below it that it may use.
below='form=
platform=form
bookkeeping=form platform
match=form platform bookkeeping
serial=form platform bookkeeping match
display=form platform bookkeeping match serial
core=form platform bookkeeping match serial display
app/monitor=form platform bookkeeping match serial display
app/report=form platform bookkeeping match serial display core
web=form platform bookkeeping match serial display core
app=form platform bookkeeping match serial display core web app/monitor app/report
tools=form platform bookkeeping match serial display core web app/monitor app/report'
# Qt modules that every folder may link; the others only these folders.
qt_core='Core SerialPort Network HttpServer WebSockets'
qt_view='app app/monitor app/report tools'

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files() { git ls-files --cached --others --exclude-standard "$@"; }
else
    files() {
        local names=()
        for n in "$@"; do names+=(-o -name "$n"); done
        find . -path './build*' -prune -o -type f \( -false "${names[@]}" \) -print | sed 's|^\./||'
    }
fi

awk -v below="$below" -v qt_core="$qt_core" -v qt_view="$qt_view" '
function layer(path) {
    if (path ~ /^app\/monitor\//) return "app/monitor"
    if (path ~ /^app\/report\//) return "app/report"
    if (index(path, "/") == 0) return ""
    return substr(path, 1, index(path, "/") - 1)
}
function free(l) { return l == "tests" || l == "bench" }
function allowed(from, to) { return from == to || ((from, to) in may) }
function offend(where, text) { print where ": " text; bad = 1 }
BEGIN {
    n = split(below, rows, "\n")
    for (i = 1; i <= n; i++) {
        split(rows[i], kv, "=")
        known[kv[1]] = 1
        m = split(kv[2], deps, " ")
        for (j = 1; j <= m; j++) may[kv[1], deps[j]] = 1
    }
    split(qt_core, q, " "); for (i in q) coreModule[q[i]] = 1
    split(qt_view, q, " "); for (i in q) viewFolder[q[i]] = 1
}
# Sources: one include a line.
FILENAME !~ /CMakeLists\.txt$/ {
    if (!match($0, /^[ \t]*#[ \t]*include[ \t]*"[^"]*"/)) next
    inc = substr($0, RSTART, RLENGTH); sub(/^[^"]*"/, "", inc); sub(/"$/, "", inc)
    from = layer(FILENAME)
    if (free(from)) next
    to = layer(inc)
    where = FILENAME ":" FNR
    if (to == "") offend(where, "\"" inc "\" does not name its folder")
    else if (!(to in known)) offend(where, "\"" inc "\" is in no folder of the order")
    else if (!(from in known)) offend(where, from "/ is in no folder of the order")
    else if (!allowed(from, to)) offend(where, from "/ may not include " to "/ (\"" inc "\")")
    next
}
# CMake files: read whole, then the targets they make and what those link.
{ sub(/#.*/, ""); text[FILENAME] = text[FILENAME] $0 "\n" }
END {
    for (f in text) {
        dir = f; sub(/\/?CMakeLists\.txt$/, "", dir)
        folder[f] = layer(dir "/")
        s = text[f]
        while (match(s, /add_(library|executable)\([ \t\n]*[^ \t\n)]+/)) {
            t = substr(s, RSTART, RLENGTH); sub(/^[^(]*\([ \t\n]*/, "", t)
            owner[t] = folder[f]
            s = substr(s, RSTART + RLENGTH)
        }
    }
    for (f in text) {
        from = folder[f]
        if (free(from) || !(from in known)) continue
        s = text[f]
        line = 1
        while (match(s, /target_link_libraries\([^)]*\)/)) {
            before = substr(s, 1, RSTART - 1)
            line += gsub(/\n/, "", before)
            at = f ":" line
            call = substr(s, RSTART + 22, RLENGTH - 23)
            s = substr(s, RSTART + RLENGTH)
            inside = call
            line += gsub(/\n/, "", inside)
            sub(/^[ \t\n]+/, "", call)
            k = split(call, w, /[ \t\n]+/)
            for (i = 2; i <= k; i++) {
                if (w[i] ~ /^Qt6::/) {
                    mod = substr(w[i], 6)
                    if (!(mod in coreModule) && !(from in viewFolder))
                        offend(at, w[1] " in " from "/ may not link " w[i])
                } else if ((w[i] in owner) && !allowed(from, owner[w[i]])) {
                    offend(at, w[1] " in " from "/ may not link " w[i] " of " owner[w[i]] "/")
                }
            }
        }
    }
    exit bad
}
' $(files '*.cpp' '*.h' '*.h.in') $(files '*CMakeLists.txt')
