#!/usr/bin/env bash
# A receiver line behind a device server: builds only the network read benchmark (release) and
# prints, at 9600 and 115200 baud, a full parameter read through ser2net's RFC 2217 accepter on the
# loopback against the same read on the simulator's pseudo-terminal (medians of 11 each, the
# simulator sending at the wire rate), and their ratio. About 15 s; needs ser2net
# (scripts/deps.sh). The load average is printed with it: on a busy machine the figures mean little.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
cmake --preset release >/dev/null
cmake --build --preset release --target zok_network_read_bench >/dev/null
bin=$(find build/release/bench -type f -name zok_network_read_bench -perm -u+x | head -n 1)
[ -n "$bin" ] || { echo "zok_network_read_bench was not built" >&2; exit 1; }
echo "=== network read (load average $(cut -d' ' -f1-3 /proc/loadavg))"
"$bin"
