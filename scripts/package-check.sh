#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh, from BUILD_DIR when given) and checks it as a user
# meets it: lintian without errors or warnings, the installed desktop entry and AppStream data
# valid, the three programs and a manual page there and starting, and nothing left after a purge.
# Installs its tools first (ZOK_SKIP_DEPS=1 skips that). As root: it installs and purges `zok`.
# Usage: scripts/package-check.sh [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
work="$(mktemp -d)"
zok=""
cleanup() {
  [ -z "$zok" ] || kill "$zok" 2>/dev/null || true
  if dpkg -s zok >/dev/null 2>&1; then apt-get purge -y -qq zok >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package-check: FAILED: $*" >&2; exit 1; }

if [ "${ZOK_SKIP_DEPS:-}" != 1 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    lintian desktop-file-utils appstream man-db >/dev/null
fi
bash scripts/package.sh "$@"
deb="$(ls build/package/zok_*.deb)"

echo "--- lintian (errors and warnings fail; information shown)"
lintian --fail-on error,warning --display-info "$deb" || fail "lintian"

echo "--- install"
if dpkg -s zok >/dev/null 2>&1; then apt-get purge -y -qq zok >/dev/null; fi
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
mapfile -t files < <(dpkg -L zok)
desktop-file-validate /usr/share/applications/zok.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/*zok*.metainfo.xml || fail "appstreamcli validate"

echo "--- programs (in an empty folder)"
cd "$work"
for program in zok zok-cli zok-sim; do
  [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not /usr/bin/$program"
done
zok-cli --version
zok-cli ports || fail "zok-cli ports"
zok-sim --help >/dev/null || fail "zok-sim --help"
man -w zok-cli || fail "man -w zok-cli"
# The window, offscreen: it writes its ZOK.ini here, runs, and ends with 0 when terminated.
QT_QPA_PLATFORM=offscreen zok 2>"$work/zok.err" &
zok=$!
for _ in $(seq 100); do
  [ -e ZOK.ini ] && break
  kill -0 "$zok" 2>/dev/null || break
  sleep 0.1
done
sleep 2
kill -0 "$zok" 2>/dev/null || { cat "$work/zok.err" >&2; fail "zok ended by itself"; }
[ -e ZOK.ini ] || fail "zok wrote no ZOK.ini"
kill -TERM "$zok"
rc=0
wait "$zok" || rc=$?
zok=""
[ $rc -eq 0 ] || { cat "$work/zok.err" >&2; fail "zok ended with status $rc on SIGTERM"; }
echo "zok ran 2 s offscreen and ended with 0 on SIGTERM"
cd "$here"

echo "--- purge"
apt-get purge -y -qq zok >/dev/null
left=()
for path in "${files[@]}"; do
  if [ "$path" = /. ]; then
    continue
  elif [ -d "$path" ]; then
    # A folder stays only while another package owns it too.
    dpkg -S "$path" >/dev/null 2>&1 || left+=("$path")
  elif [ -e "$path" ] || [ -L "$path" ]; then
    left+=("$path")
  fi
done
[ ${#left[@]} -eq 0 ] || fail "left behind after the purge: ${left[*]}"
echo "package-check: $deb passed"
