#!/usr/bin/env bash
# A number download (all 375 pages) from a simulated module paced at 115200
# baud: on its terminal, and through Debian's ser2net on the loopback, raw and
# RFC 2217, with ser2net's defaults and with tcp(nodelay) and no character
# delay; then through the tests' net_relay in front of the tuned RFC 2217 port,
# adding 20 and 100 ms of round trip. Prints the median of three runs of each,
# in seconds, and for the far lines the goal: 1.1 x (the terminal's time +
# 750 requests x the round trip; without a record a download reads each of its
# 375 pages twice),
# the limit of a protocol of one request at a time.
# Usage: bash bench/device_server.sh [BUILD_DIR]   (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
"$build/src/portiqa-sim" --link "$work/tty" --baud 115200 --seed-numbers 3000 >"$work/sim.log" 2>&1 &
for _ in $(seq 100); do [ -e "$work/tty" ] && break; sleep 0.05; done
port=$((20000 + RANDOM % 20000))
serve() {  # serve ACCEPTER-PREFIX TCP-OPTIONS EXTRA-OPTIONS
  printf 'connection: &m\n  accepter: %stcp%s,127.0.0.1,%s\n  connector: serialdev,%s,115200n81,local\n  options:\n    mdns: false\n%s' \
    "$1" "$2" "$port" "$(readlink -f "$work/tty")" "$3" >"$work/s2n.yaml"
  ser2net -n -c "$work/s2n.yaml" -P "$work/s2n.pid" >/dev/null 2>&1 &
  s2n=$!
  for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.05; done
}
median() {  # median NAME PORT (sets last)
  local t=()
  for _ in 1 2 3; do
    local a b
    a=$(date +%s.%N)
    "$build/src/portiqa-cli" -q --no-record -p "$2" numbers download -o "$work/n.csv" >/dev/null 2>&1
    b=$(date +%s.%N)
    t+=("$(echo "$b - $a" | bc)")
  done
  last=$(printf '%s\n' "${t[@]}" | sort -n | sed -n 2p)
  printf '%-34s %s s\n' "$1" "$last"
}
median "terminal (local)" "$work/tty"
terminal=$last
for variant in "defaults||" "tuned|(nodelay)|    chardelay: false\n"; do
  IFS='|' read -r name tcpopt extra <<<"$variant"
  serve "telnet(rfc2217)," "$tcpopt" "$(printf "$extra")"
  median "rfc2217, ser2net $name" "rfc2217://127.0.0.1:$port"
  kill $s2n; wait $s2n 2>/dev/null || true; port=$((port + 1))
  serve "" "$tcpopt" "$(printf "$extra")"
  median "socket, ser2net $name" "socket://127.0.0.1:$port"
  kill $s2n; wait $s2n 2>/dev/null || true; port=$((port + 1))
done
serve "telnet(rfc2217)," "(nodelay)" "$(printf '    chardelay: false\n')"
for rtt in 20 100; do
  "$build/tests/net_relay" --to "$port" --rtt "$rtt" >"$work/relay" &
  relay=$!
  for _ in $(seq 100); do [ -s "$work/relay" ] && break; sleep 0.05; done
  median "rfc2217, tuned, +$rtt ms round trip" "rfc2217://127.0.0.1:$(head -1 "$work/relay")"
  printf '%-34s %s s\n' "  goal" "$(echo "1.1 * ($terminal + 750 * $rtt / 1000)" | bc -l | xargs printf '%.2f')"
  kill $relay; wait $relay 2>/dev/null || true
done
kill $s2n; wait $s2n 2>/dev/null || true
