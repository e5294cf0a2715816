#!/usr/bin/env bash
# Runs the chaos run (random user actions on the main window against a misbehaving line) with
# random seeds on the AddressSanitizer + UBSan build for as long as asked, at low priority, one run
# at a time.
#   bash scripts/soak.sh [minutes] [actions per run]      (defaults: 30 minutes, 1500 actions)
# Each failing run's output and its record of decisions are kept in build/soak/ under its seed
# (replay one with: build/asan/tests/chaos/zok_chaos --replay build/soak/run-SEED.decisions); the
# totals are printed at the end. ZOK_SOAK_NO_BUILD=1 uses the build as it is.
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

total() { sed -nE "s/.* $1=([0-9]+).*/\1/p" <<<"$2"; }
end=$(( $(date +%s) + minutes * 60 ))
runs=0 failed=0 total_actions=0 total_faults=0 total_hangups=0 total_saves=0 longest=0
while [ "$(date +%s)" -lt "$end" ]; do
  seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
  log="$out/run-$seed.log"
  record="$out/run-$seed.decisions"
  if nice -n 10 "$program" --seed "$seed" --actions "$actions" --record "$record" >"$log" 2>&1; then
    line=$(grep '^CHAOS OK' "$log")
    total_actions=$(( total_actions + $(total actions "$line") ))
    total_faults=$(( total_faults + $(total line_faults "$line") ))
    total_hangups=$(( total_hangups + $(total hangups "$line") ))
    total_saves=$(( total_saves + $(total saves_checked "$line") ))
    silence=$(total longest_silence_ms "$line")
    [ "$silence" -gt "$longest" ] && longest=$silence
    rm -f "$log" "$record"
  else
    failed=$(( failed + 1 ))
    echo "FAILED: seed $seed, output kept in $log, decisions in $record"
    grep -A3 'CHAOS FAILURE' "$log" | head -4
  fi
  runs=$(( runs + 1 ))
done
echo "soak: $runs runs, $failed failed; passing runs went through $total_actions actions," \
     "$total_faults line faults ($total_hangups hang-ups), $total_saves saves checked;" \
     "longest event-loop silence $longest ms"
[ "$failed" -eq 0 ]
