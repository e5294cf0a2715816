#!/usr/bin/env bash
# The main window under a flood of tag reports, as `top` sees its process: builds only the flood
# benchmark (release), runs it at 1, 1,000 and 10,000 frames/s, samples the process once a second
# from /proc, and prints its CPU % (mean and highest one-second value), CPU seconds and resident
# memory (highest and last), then the benchmark's own line (frames, paint delays, menu and button).
# zok-sim runs as a separate process and is not counted. The load average is printed with each
# run: the figures mean little on a machine that is busy with something else.
#
#   scripts/bench-flood.sh [SECONDS] [RATE...]     defaults: 10 s; 1 1000 10000
#
# ZOK_CAPTURE_FRAMES=N sets the traffic capture's size in the window's ZOK.ini (0 turns it off;
# default 20,000), to compare the flood's cost with and without it.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
seconds="${1:-10}"
shift || true
rates=("$@")
[ ${#rates[@]} -gt 0 ] || rates=(1 1000 10000)

cmake --preset release >/dev/null
cmake --build --preset release --target bench_window_flood >/dev/null
bin=$(find build/release/bench -type f -name bench_window_flood -perm -u+x | head -n 1)
[ -n "$bin" ] || { echo "bench_window_flood was not built" >&2; exit 1; }

ticks=$(getconf CLK_TCK)
page_kb=$(($(getconf PAGESIZE) / 1024))

# Prints "cpu_ticks rss_kb" of a running process, or nothing once it has gone.
sample() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  # Fields after the command name (which may hold spaces): utime is the 12th, stime the 13th,
  # rss the 22nd.
  local -a f
  read -r -a f <<<"${stat##*) }"
  echo "$((f[11] + f[12])) $((f[21] * page_kb))"
}

for rate in "${rates[@]}"; do
  echo "=== $rate frames/s, $seconds s, capture ${ZOK_CAPTURE_FRAMES:-default} frames (load average $(cut -d' ' -f1-3 /proc/loadavg))"
  out=$(mktemp)
  QT_QPA_PLATFORM=offscreen "$bin" "$rate" "$seconds" >"$out" &
  pid=$!
  start=$(date +%s.%N)
  last_cpu=0 peak_rss=0 last_rss=0 peak_pct=0 prev_cpu=0
  while kill -0 "$pid" 2>/dev/null; do
    read -r cpu rss <<<"$(sample "$pid")" || true
    if [ -n "${cpu:-}" ]; then
      pct=$(((cpu - prev_cpu) * 100 / ticks))
      [ "$pct" -gt "$peak_pct" ] && peak_pct=$pct
      prev_cpu=$cpu last_cpu=$cpu last_rss=$rss
      [ "$rss" -gt "$peak_rss" ] && peak_rss=$rss
    fi
    sleep 1
  done
  wait "$pid" || echo "bench_window_flood failed at $rate frames/s" >&2
  end=$(date +%s.%N)
  awk -v c="$last_cpu" -v t="$ticks" -v w="$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')" -v pp="$peak_pct" -v pr="$peak_rss" -v lr="$last_rss" 'BEGIN {
    printf "top: CPU %.1f %% mean over %.1f s (highest 1-s %d %%), CPU %.2f s, RSS peak %.1f MB, last %.1f MB\n",
           100 * c / t / w, w, pp, c / t, pr / 1024, lr / 1024 }'
  cat "$out"
  rm -f "$out"
done
