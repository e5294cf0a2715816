#!/usr/bin/env bash
# Installs the dependencies, builds and runs every test: a plain build, then AddressSanitizer +
# UBSan, then ThreadSanitizer for the threaded serial code, then 30 s of each libFuzzer target.
# ZOK_QUICK=1 runs the plain build only.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
[ "${ZOK_SKIP_DEPS:-}" = 1 ] || bash scripts/deps.sh

status=0
stage() {
  local preset=$1
  echo "=== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  if [ "$preset" != fuzz ]; then
    echo "=== $preset: tests"
    ctest --preset "$preset" || status=1
  fi
}

stage dev
if [ "${ZOK_QUICK:-}" != 1 ]; then
  stage asan
  stage tsan
  stage fuzz
  bash scripts/fuzz.sh build/fuzz "${ZOK_FUZZ_SECONDS:-30}" || status=1
fi
if [ $status -ne 0 ]; then echo "SOME TESTS FAILED"; fi
exit $status
