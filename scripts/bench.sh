#!/usr/bin/env bash
# Builds the release preset and runs every benchmark, printing the figures.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
cmake --preset release >/dev/null
cmake --build --preset release
while read -r name; do
  [ -n "$name" ] || continue
  bin=$(find build/release/bench -type f -name "$name" -perm -u+x | head -n 1)
  echo "=== $name"
  QT_QPA_PLATFORM=offscreen "$bin"
done <build/release/benchmarks.txt
