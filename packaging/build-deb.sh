#!/bin/sh
# Builds the Debian package: a Release build (without tests and benchmarks) in
# its own folder, then cpack; prints the package's control data and contents and
# runs lintian on it. (The test suite makes the same package from its own build.)
# Usage: packaging/build-deb.sh [build-folder]   (default: build-deb in the sources)
set -eu

src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$src/build-deb"}
generator=
command -v ninja >/dev/null 2>&1 && generator="-G Ninja"

# shellcheck disable=SC2086
cmake -S "$src" -B "$build" $generator -DCMAKE_BUILD_TYPE=Release \
    -DVISTELLO_BUILD_TESTS=OFF -DVISTELLO_BUILD_BENCH=OFF
cmake --build "$build" --parallel "${JOBS:-2}"
rm -f "$build"/vistello_*.deb
(cd "$build" && cpack -G DEB)

deb=$(ls "$build"/vistello_*.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
# Debian's checks: no error and no warning expected (Debian package lintian).
if command -v lintian >/dev/null 2>&1; then lintian --fail-on error,warning "$deb"; fi
echo "package: $deb"
