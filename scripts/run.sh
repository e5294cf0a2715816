#!/usr/bin/env bash
# Installs the dependencies, builds ZOK and starts it. Without hardware it starts a virtual
# receiver first and points ZOK at it; pass --no-sim to use the port of ./ZOK.ini instead.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
[ "${ZOK_SKIP_DEPS:-}" = 1 ] || bash scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec bash scripts/start.sh "$@"
