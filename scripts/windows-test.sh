#!/usr/bin/env bash
# Cross-builds the libraries that need no Qt, and their tests, for 64-bit Windows with MinGW-w64,
# and runs the tests under Wine; the serial line tests run through the Win32 backend on Wine's
# COM5, mapped onto a pseudo-terminal served by zok-sim (or by a scripted peer for the bursts, the
# hang-up and a peer that never reads).
# The network lines run through Winsock against Debian's ser2net on the Linux side, serving a
# zok-sim pseudo-terminal on 127.0.0.1 (Wine's sockets reach the loopback).
# Needs: g++-mingw-w64-x86-64, wine64, googletest, socat, ser2net, and a native zok-sim (ZOK_SIM,
# default build/dev/sim/zok-sim).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
sim="${ZOK_SIM:-build/dev/sim/zok-sim}"
[ -x "$sim" ] || cmake --build build/dev --target zok-sim

work="$(mktemp -d)"
export WINEPREFIX="$work/wine" WINEDEBUG=-all
peer=""
server=""
cleanup() {
  if [ -n "$peer" ]; then kill "$peer" 2>/dev/null || true; fi
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "=== mingw: build"
cmake --preset mingw >/dev/null
cmake --build --preset mingw

echo "=== mingw: Wine prefix"
started=$(date +%s)
# A persistent server started apart, with its output elsewhere: Wine's background services must
# not hold the test runner's pipes open, and the pseudo-terminal's hang-up must not reach it.
mkdir -p "$WINEPREFIX"
"$wineserver" -p </dev/null >"$work/wineserver.log" 2>&1
"$wine" wineboot -i </dev/null >"$work/wineboot.log" 2>&1
# COM5 is declared in Wine's own port table, pointing at a link each peer re-creates onto its
# pseudo-terminal. Wine's device manager rebuilds the COM links whenever its services restart (at
# every test program here) and hands out COM1, COM2... to the host's own serial ports; on a host
# with five of them, a COM5 made only by hand would be taken over by /dev/ttyS4 and the tests would
# talk to a dead line.
line="$work/line"
"$wine" reg add 'HKLM\Software\Wine\Ports' /v COM5 /t REG_SZ /d "$line" /f </dev/null \
  >>"$work/wineboot.log" 2>&1
ln -sfn "$line" "$WINEPREFIX/dosdevices/com5"
echo "prefix ready in $(($(date +%s) - started)) s"

status=0
echo "=== mingw: tests under Wine"
ctest --test-dir build/mingw -LE line --output-on-failure || status=1

# serve_line NAME COMMAND...: runs COMMAND as the peer on COM5, then the line tests for NAME.
serve_line() {
  local name=$1
  shift
  rm -f "$line"
  "$@" </dev/null >"$work/peer-$name.log" 2>&1 &
  peer=$!
  for _ in $(seq 100); do
    [ -e "$line" ] && break
    sleep 0.1
  done
  echo "--- serial line, peer: $name, COM5 -> $(readlink "$WINEPREFIX/dosdevices/com5") -> $(readlink "$line")"
  if ! ZOK_TEST_PORT=COM5 ZOK_TEST_PEER=$name "$wine" build/mingw/tests/link/serial/test_serial_line.exe; then
    status=1
    echo "--- peer $name said:"
    cat "$work/peer-$name.log"
  fi
  kill "$peer" 2>/dev/null || true
  wait "$peer" 2>/dev/null || true
  peer=""
}
long_version="$(head -c 5000 /dev/zero | tr '\0' 'X')"
serve_line sim "$sim" --link "$line" --receiver 01 --receiver 02 --firmware "$long_version"
# After the test's first "[GO]": one frame in three bursts, each after a byte from the test (it
# sends one once it has read the burst before); after its second "[GO]": hang up.
cat >"$work/bursts.sh" <<'PEER'
head -c 4 >/dev/null
printf '[AB'
head -c 1 >/dev/null
printf 'CD'
head -c 1 >/dev/null
printf 'EF]'
head -c 4 >/dev/null
PEER
serve_line bursts socat PTY,link="$line",raw,echo=0 EXEC:"sh $work/bursts.sh"
serve_line deaf socat -u EXEC:'sleep 600' PTY,link="$line",raw,echo=0

# free_port: a TCP port on 127.0.0.1 that nothing listens on now.
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
echo "--- network lines: ser2net serving zok-sim, through Winsock"
started=$(date +%s)
ser2net="$(command -v ser2net || echo /usr/sbin/ser2net)"
rm -f "$line"
"$sim" --link "$line" --receiver 01 --firmware $' v20\xff1.0' --receiver 02 --speed 38400 \
  </dev/null >"$work/peer-net.log" 2>&1 &
peer=$!
for _ in $(seq 100); do
  [ -e "$line" ] && break
  sleep 0.1
done
raw=$(free_port)
rfc2217=$(free_port)
telnet=$(free_port)
# As tests/support/Ser2net.h writes it: the raw accepter drops its client when another connects.
cat >"$work/ser2net.yaml" <<YAML
%YAML 1.1
---
connection: &raw
  accepter: tcp,127.0.0.1,$raw
  connector: serialdev,$line,9600n82,local
  options:
    kickolduser: true
connection: &rfc2217
  accepter: telnet(rfc2217),tcp,127.0.0.1,$rfc2217
  connector: serialdev,$line,9600n82,local
connection: &telnet
  accepter: telnet,tcp,127.0.0.1,$telnet
  connector: serialdev,$line,9600n82,local
YAML
"$ser2net" -n -d -u -c "$work/ser2net.yaml" -P "$work/ser2net.pid" </dev/null >"$work/ser2net.log" 2>&1 &
server=$!
for _ in $(seq 100); do
  python3 -c "import socket; socket.create_connection(('127.0.0.1', $telnet), 1).close()" 2>/dev/null && break
  sleep 0.1
done
if ! ZOK_TEST_NET_RAW="tcp://127.0.0.1:$raw" ZOK_TEST_NET_RFC2217="rfc2217://127.0.0.1:$rfc2217" \
  ZOK_TEST_NET_REFUSING="rfc2217://127.0.0.1:$telnet" ZOK_TEST_NET_SILENT="rfc2217://127.0.0.1:$raw" \
  ZOK_TEST_NET_NOBODY="tcp://127.0.0.1:$(free_port)" \
  "$wine" build/mingw/tests/link/serial/test_network_line.exe; then
  status=1
  echo "--- ser2net said:"
  cat "$work/ser2net.log"
fi
kill "$server" "$peer" 2>/dev/null || true
wait "$server" "$peer" 2>/dev/null || true
server=""
peer=""
echo "network lines in $(($(date +%s) - started)) s"

if [ $status -ne 0 ]; then echo "SOME WINDOWS TESTS FAILED"; fi
exit $status
