#!/usr/bin/env bash
# Runs each libFuzzer target of a fuzz build for the given number of seconds, two at a time.
set -uo pipefail
dir=${1:-build/fuzz}
seconds=${2:-30}
list="$dir/fuzzers.txt"
[ -f "$list" ] || { echo "no fuzzer list in $dir"; exit 1; }
failed=0; passed=0; ran=0
mapfile -t fuzzers < <(grep -v '^$' "$list")
run_one() {
  local name=$1 bin
  bin=$(find "$dir" -type f -name "$name" -perm -u+x | head -n 1)
  local work; work=$(mktemp -d)
  if "$bin" -max_total_time="$seconds" -rss_limit_mb=4096 -artifact_prefix="$work/" "$work" >"$work/log" 2>&1; then
    echo "fuzz $name: ok ($(grep -Eo '#[0-9]+' "$work/log" | tail -n 1 | tr -d '#') runs)"
    rm -rf "$work"
  else
    echo "fuzz $name: FAILED"; tail -n 40 "$work/log"; return 1
  fi
}
for ((i = 0; i < ${#fuzzers[@]}; i += 2)); do
  pids=()
  for name in "${fuzzers[@]:i:2}"; do run_one "$name" & pids+=($!); ran=$((ran + 1)); done
  for p in "${pids[@]}"; do if wait "$p"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi; done
done
echo "fuzz: $passed passed, $failed failed"
[ $failed -eq 0 ]
