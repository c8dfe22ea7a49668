#!/usr/bin/env bash
# The match on an MQTT broker under load, on this machine: 8 courts (bench_latency's programs,
# with real timers and pseudo-terminals) run their last minute and publish it to one Mosquitto,
# while bench_mqtt_swarm holds 1000 subscribers of every court's state, as the tournament board
# subscribes (SWARM_TOPIC='marklight/bench/+/+' takes every topic, the changes too). Prints, for
# bench/RESULTS.md:
# clock-to-wire and CPU per program without MQTT and with it, the way from the desk to the
# subscribers, the bytes one court sends a minute, and a run in which the broker is killed for
# 10 s (the wire's rhythm, and how soon after its return the courts' state is there again).
#   bench/mqtt_fanout.sh [BUILD_DIR]        (default build-bench)
# MQTT_SPLIT=1 keeps the broker and the swarm on the last core and the courts on the others, as a
# hall runs the broker on a computer of its own (with two cores: one each).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
port=${MQTT_PORT:-18840}
dir=$(mktemp -d)
conf=$dir/mosquitto.conf
printf 'listener %s 127.0.0.1\nallow_anonymous true\npersistence false\nuser %s\n' \
    "$port" "$(id -un)" >"$conf"
ulimit -n 4096
courts=() others=()
if [ "${MQTT_SPLIT:-0}" = 1 ]; then
    last=$(($(nproc) - 1))
    courts=(taskset -c "0-$((last - 1))") others=(taskset -c "$last")
fi
broker=
start_broker() {
    "${others[@]}" mosquitto -c "$conf" >/dev/null 2>&1 &
    broker=$!
    sleep 0.3
}
trap 'kill $broker 2>/dev/null || true; rm -rf "$dir"' EXIT
latency() {
    "${courts[@]}" "$build/bench/bench_latency" --programs 8 --seconds 60 --start 0:59 "$@" |
        tail -n 9
}

start_broker
echo "== 8 courts, last minute, without MQTT"
latency
echo "== the same, publishing, 1000 subscribers"
topic=${SWARM_TOPIC:-marklight/bench/+/state}
# SCHED_BATCH: the swarm stands for a thousand devices of their own, so it does not take the
# core from the broker at each delivery but reads what has come once the broker yields.
"${others[@]}" chrt -b 0 "$build/bench/bench_mqtt_swarm" 127.0.0.1 "$port" 1000 "$topic" 63 >"$dir/swarm" &
swarm=$!
sleep 1
latency --mqtt "127.0.0.1:$port"
wait $swarm
cat "$dir/swarm"

echo "== the broker killed at 20 s for 10 s"
(
    sleep 20
    kill -9 "$broker"
    sleep 10
    start_broker
    back=$(date +%s%N)
    mosquitto_sub -p "$port" -t 'marklight/bench/+/state' -C 8 -W 15 >/dev/null
    echo "8 courts' state on the broker $((($(date +%s%N) - back) / 1000000)) ms after its return"
    kill "$broker"
) &
latency --mqtt "127.0.0.1:$port"
wait
