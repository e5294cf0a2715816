#!/usr/bin/env bash
# Runs the chaos run (random user actions on the main window against a misbehaving line) with
# random seeds on the AddressSanitizer + UBSan build for as long as asked, at low priority.
#   bash scripts/soak.sh [minutes] [actions per run]      (defaults: 30 minutes, 1500 actions)
# Each failing run's output is kept in build/soak/ with its seed; the totals are printed at the end.
# ZOK_SOAK_NO_BUILD=1 uses the build as it is.
set -uo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
minutes=${1:-30}
actions=${2:-1500}
export QT_QPA_PLATFORM=offscreen

if [ "${ZOK_SOAK_NO_BUILD:-}" != 1 ]; then
  cmake --preset asan >/dev/null || exit 1
  cmake --build build/asan --target zok_chaos || exit 1
fi
out=build/soak
mkdir -p "$out"
# A copy, so that rebuilding during the soak does not pull the program from under a run.
program="$out/zok_chaos"
cp build/asan/tests/chaos/zok_chaos "$program" || exit 1

end=$(( $(date +%s) + minutes * 60 ))
runs=0 failed=0 total_actions=0 total_faults=0 total_hangups=0 longest=0
while [ "$(date +%s)" -lt "$end" ]; do
  seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
  log="$out/run-$seed.log"
  if nice -n 10 "$program" --seed "$seed" --actions "$actions" >"$log" 2>&1; then
    line=$(grep '^CHAOS OK' "$log")
    total_actions=$(( total_actions + $(sed -E 's/.* actions=([0-9]+).*/\1/' <<<"$line") ))
    total_faults=$(( total_faults + $(sed -E 's/.* line_faults=([0-9]+).*/\1/' <<<"$line") ))
    total_hangups=$(( total_hangups + $(sed -E 's/.* hangups=([0-9]+).*/\1/' <<<"$line") ))
    silence=$(sed -E 's/.* longest_silence_ms=([0-9]+).*/\1/' <<<"$line")
    [ "$silence" -gt "$longest" ] && longest=$silence
    rm -f "$log"
  else
    failed=$(( failed + 1 ))
    echo "FAILED: seed $seed, output kept in $log"
    grep -A3 'CHAOS FAILURE' "$log" | head -4
  fi
  runs=$(( runs + 1 ))
done
echo "soak: $runs runs, $failed failed; passing runs went through $total_actions actions," \
     "$total_faults line faults ($total_hangups hang-ups); longest event-loop silence $longest ms"
[ "$failed" -eq 0 ]
