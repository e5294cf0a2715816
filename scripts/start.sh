#!/usr/bin/env bash
# Starts an already built ZOK (build/release) in ./run, against a virtual receiver unless --no-sim.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bin="$here/build/release"
mkdir -p "$here/run"
cd "$here/run"
if [ "${1:-}" != "--no-sim" ] && [ -x "$bin/sim/zok-sim" ]; then
  fifo="$(mktemp -u)"; mkfifo "$fifo"
  "$bin/sim/zok-sim" >"$fifo" &
  sim=$!
  trap 'kill $sim 2>/dev/null || true; rm -f "$fifo"' EXIT
  read -r port <"$fifo"
  printf '[ZOK]\r\nSERIAL_PORT=%s\r\nLANGUAGE=%s\r\nRECEIVER_ID=01\r\n' "$port" "${ZOK_LANGUAGE:-ENGLISH}" >ZOK.ini
  echo "Virtual receiver at address 01 on $port"
fi
"$bin/app/main/zok"
