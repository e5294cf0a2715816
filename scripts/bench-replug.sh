#!/usr/bin/env bash
# A lost port coming back: builds only the replug benchmark (release) and prints its figures, the
# time from the device reappearing to the port open and Idle (median and worst of 20 replugs) and
# the CPU of waiting for a missing port. About 40 s. The load average is printed with it: on a
# busy machine the figures mean little.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
cmake --preset release >/dev/null
cmake --build --preset release --target zok_port_replug_bench >/dev/null
bin=$(find build/release/bench -type f -name zok_port_replug_bench -perm -u+x | head -n 1)
[ -n "$bin" ] || { echo "zok_port_replug_bench was not built" >&2; exit 1; }
echo "=== port replug (load average $(cut -d' ' -f1-3 /proc/loadavg))"
"$bin"
