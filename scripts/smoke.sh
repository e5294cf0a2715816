#!/usr/bin/env bash
# Starts a built ZOK offscreen against a virtual receiver, in a temporary folder, as a user's first
# start does, and fails if the window does not come up (its port open on the receiver's line) or
# stops by itself within a few seconds.
# Usage: scripts/smoke.sh [build folder, default build/release] [seconds to stay up, default 4]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bin="$(cd "${1:-$here/build/release}" && pwd)"
stay=${2:-4}
work="$(mktemp -d)"
sim="" zok=""
cleanup() {
  [ -z "$zok" ] || kill "$zok" 2>/dev/null || true
  [ -z "$sim" ] || kill "$sim" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "smoke: FAILED: $*" >&2; sed 's/^/smoke: zok: /' "$work/zok.err" >&2 || true; exit 1; }

mkfifo "$work/port"
"$bin/sim/zok-sim" >"$work/port" &
sim=$!
read -r port <"$work/port"
printf '[ZOK]\r\nSERIAL_PORT=%s\r\nLANGUAGE=ENGLISH\r\nRECEIVER_ID=01\r\n' "$port" >"$work/ZOK.ini"
device="$(readlink -f "$port")"

cd "$work"
QT_QPA_PLATFORM=offscreen "$bin/app/main/zok" 2>"$work/zok.err" &
zok=$!
# Up means the window has opened the receiver's port: the process holds the pseudo-terminal.
up=0
for _ in $(seq 100); do
  kill -0 "$zok" 2>/dev/null || fail "the program ended during start-up"
  if ls -l "/proc/$zok/fd" 2>/dev/null | grep -q -- "-> $device\$"; then up=1; break; fi
  sleep 0.1
done
[ $up = 1 ] || fail "the window did not open its port $port within 10 s"
sleep "$stay"
kill -0 "$zok" 2>/dev/null || fail "the program stopped by itself"
grep -q 'SERIAL_PORT' "$work/ZOK.ini" || fail "ZOK.ini lost its settings"
echo "smoke: $bin/app/main/zok came up on $port and ran $stay s"
