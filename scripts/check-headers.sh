#!/usr/bin/env bash
# Fails when a system header of one operating system is included outside the places that hold
# per-system code: platform/, files named *_posix.* or *_win32.*, folders named posix/ or win32/
# (link/serial), sim/ (Linux only: it serves a pseudo-terminal) and tests/. Everywhere else the
# code must build on Linux and on Windows alike. Standard C and C++ headers (<csignal>, <cstdio>)
# are not of one system and stay allowed.
set -euo pipefail
cd "$(dirname "$0")/.."

posix='unistd|fcntl|termios|poll|signal|pthread|dirent|pty|spawn|dlfcn|netdb|pwd|grp|syslog|semaphore|libgen|wordexp|glob|sched'
windows='windows|winsock2?|ws2tcpip|winbase|windef|winreg|winerror|winuser|wincon|io|process|direct|conio|shlobj|shellapi|tchar|mmsystem|setupapi|dbghelp|psapi|iphlpapi|lmcons'
folders='sys|netinet|arpa|linux|asm|bits'
pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"](($posix|$windows)\\.h|($folders)/[^>\"]*)[>\"]"

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files --cached --others --exclude-standard)
else
  files=$(find . -path ./build -prune -o -type f -print | sed 's|^\./||')
fi
offenders=$(printf '%s\n' "$files" |
  grep -E '\.(c|cc|cpp|cxx|h|hh|hpp|hxx|inl)$' |
  grep -vE '^(platform|sim|tests)/|(^|/)(posix|win32)/|_(posix|win32)\.[^/]*$' |
  xargs -r -d '\n' grep -sHniE "$pattern" -- || true)

if [ -n "$offenders" ]; then
  echo "=== headers: a system header of one OS outside platform/, *_posix.*, *_win32.*, sim/ or tests/:"
  echo "$offenders"
  exit 1
fi
echo "=== headers: no system header of one OS outside its places"
