#!/usr/bin/env bash
# Installs the dependencies, builds and runs every test: the optimised programs and benchmarks as a
# user builds them (warnings as errors here), started against a virtual receiver and made into the
# Debian package (checked, installed, purged: scripts/package-check.sh), then every test under
# AddressSanitizer + UBSan, then ThreadSanitizer for the threaded serial code, then 20 s of each
# libFuzzer target, then the Windows cross build with its tests under Wine (scripts/windows-test.sh).
# The sanitizer build runs the whole suite, so a plain debug build would only repeat it: ZOK_QUICK=1
# runs that plain build and its tests alone, for a quick local check.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
[ "${ZOK_SKIP_DEPS:-}" = 1 ] || { bash scripts/deps.sh && echo "=== deps: $SECONDS s"; }

status=0
passed=0
failed=0
# Counts each stage's result, so the run ends with one summary line.
record() { if [ "$1" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi; }
# Each stage says how long its build and its tests took, so a slow CI run shows where.
stage() {
  local preset=$1 started=$SECONDS flags=()
  echo "=== $preset: build"
  # The package stage installs this build as it is: it is built with Debian's hardening flags.
  if [ "$preset" = ci-release ]; then mapfile -t flags < <(bash scripts/package.sh --cmake-flags); fi
  cmake --preset "$preset" "${flags[@]}" >/dev/null
  cmake --build --preset "$preset"
  echo "=== $preset: built in $((SECONDS - started)) s"
  if [ "$preset" = ci-release ]; then
    echo "=== $preset: start"
    local rc=0
    bash scripts/smoke.sh build/ci-release || rc=$?
    record $rc
  elif [ "$preset" != fuzz ]; then
    echo "=== $preset: tests"
    local rc=0
    started=$SECONDS
    ctest --preset "$preset" || rc=$?
    echo "=== $preset: tests ran in $((SECONDS - started)) s"
    record $rc
  fi
}

# The Debian package from the ci-release build (nothing compiled again), checked with lintian and
# the desktop and AppStream validators, installed, its programs started, then purged.
package_stage() {
  echo "=== package: build, check, install, purge"
  local rc=0 started=$SECONDS
  bash scripts/package-check.sh build/ci-release || rc=$?
  echo "=== package: $((SECONDS - started)) s"
  record $rc
}

# The Windows cross build and its tests under Wine. Its packages are installed here, not in
# deps.sh, so that the other stages never depend on them; without them the stage is skipped.
windows_stage() {
  echo "=== mingw: packages"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  if [ "${ZOK_SKIP_DEPS:-}" != 1 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      g++-mingw-w64-x86-64 wine64 googletest >/dev/null 2>&1 || true
  fi
  if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || [ ! -d /usr/src/googletest ] ||
    ! { command -v wine64 || command -v wine || [ -x /usr/lib/wine/wine64 ]; } >/dev/null; then
    echo "=== mingw: SKIPPED: g++-mingw-w64-x86-64, wine64 or googletest could not be installed"
    return 0
  fi
  local rc=0 started=$SECONDS
  ZOK_SIM=build/ci-release/sim/zok-sim bash scripts/windows-test.sh || rc=$?
  echo "=== mingw: $((SECONDS - started)) s"
  record $rc
}

# Per-OS system headers only where per-OS code lives (a fraction of a second, before any build).
rc=0
bash scripts/check-headers.sh || rc=$?
record $rc

if [ "${ZOK_QUICK:-}" = 1 ]; then
  stage dev
else
  stage ci-release
  package_stage
  stage asan
  stage tsan
  stage fuzz
  rc=0
  started=$SECONDS
  bash scripts/fuzz.sh build/fuzz "${ZOK_FUZZ_SECONDS:-20}" || rc=$?
  echo "=== fuzz: ran in $((SECONDS - started)) s"
  record $rc
  windows_stage
fi
if [ $status -ne 0 ]; then echo "SOME TESTS FAILED"; fi
echo "stages: $passed passed, $failed failed (in $SECONDS s)"
exit $status
