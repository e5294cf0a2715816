#!/usr/bin/env bash
# Builds ZOK's Debian package, build/package/zok_VERSION_ARCH.deb, VERSION being the project's
# version; installs the build dependencies first (as root, or through sudo; ZOK_SKIP_DEPS=1 skips
# that). Then `apt-get install ./build/package/zok_*.deb` installs it.
#
# Usage: scripts/package.sh [BUILD_DIR]
#   Without BUILD_DIR the programs are built for the package in build/package/build.
#   BUILD_DIR: a CMake build of this tree (e.g. build/ci-release) to package as it is. It gets
#   Debian's compiler and linker flags (hardening) if it lacks them, which recompiles it once;
#   configured with the arguments that `scripts/package.sh --cmake-flags` prints, one per line,
#   it is packaged without compiling anything again.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"

# Debian's hardening flags, without -g: a reused build is CI's optimised build, where debug
# information would cost a sixth more compile time for nothing that is checked.
cmake_flags() {
  local cxx cpp ld
  cxx="$(DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get CXXFLAGS)"
  cpp="$(dpkg-buildflags --get CPPFLAGS)"
  ld="$(dpkg-buildflags --get LDFLAGS)"
  printf '%s\n' "-DCMAKE_CXX_FLAGS=$cxx $cpp" "-DCMAKE_EXE_LINKER_FLAGS=$ld"
}
if [ "${1:-}" = --cmake-flags ]; then
  cmake_flags
  exit 0
fi
build=""
if [ $# -gt 0 ]; then build="$(cd "$1" && pwd)"; fi
out=build/package

if [ "${ZOK_SKIP_DEPS:-}" != 1 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  # The package lists are fresh when the project's other scripts ran; update only if needed.
  $sudo apt-get build-dep -y -qq --no-install-recommends ./ >/dev/null 2>&1 || {
    $sudo apt-get update -qq
    $sudo apt-get build-dep -y -qq --no-install-recommends ./ >/dev/null
  }
fi

# One version everywhere: the project's, in debian/changelog and in the AppStream release.
version="$(sed -n 's/^project(ZOK VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
packaged="$(dpkg-parsechangelog -S Version)"
if [ "$packaged" != "$version" ]; then
  echo "package: debian/changelog's newest entry is $packaged, the project's version is $version:" \
    "add an entry for $version" >&2
  exit 1
fi
if ! grep -q "<release version=\"$version\"" app/window/*.metainfo.xml; then
  echo "package: the AppStream data has no release $version: add it to app/window/*.metainfo.xml" >&2
  exit 1
fi

if [ -n "$build" ]; then
  mapfile -t flags < <(cmake_flags)
  cached="$(sed -n 's/^CMAKE_CXX_FLAGS:[A-Z]*=//p' "$build/CMakeCache.txt")"
  if [ "-DCMAKE_CXX_FLAGS=$cached" != "${flags[0]}" ]; then
    echo "package: $build gets Debian's compiler flags and is compiled again"
    cmake -S . -B "$build" "${flags[@]}" >/dev/null
  fi
  cmake --build "$build" --target zok zok-cli zok-sim
  export ZOK_BUILD_DIR="$build"
fi

mkdir -p "$out"
rm -f "$out"/zok_* "$out"/zok-dbgsym_*
changes="$out/zok_${version}_$(dpkg-architecture -q DEB_HOST_ARCH)"
dpkg-buildpackage -b --no-sign -Jauto --post-clean \
  --buildinfo-file="$changes.buildinfo" --buildinfo-option=-u"$out" \
  --changes-file="$changes.changes" --changes-option=-u"$out"
echo "package: $(ls "$out"/zok_*.deb)"
