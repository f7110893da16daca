#!/bin/sh
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in its own
# build folder and runs the whole test suite there. Any finding fails its test.
#   usage: tests/run-sanitizers.sh [build folder] [ctest arguments...]
# Default build folder: build-sanitize beside the sources.
set -eu
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$SRC/build-sanitize}
[ $# -gt 0 ] && shift

cmake -S "$SRC" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVISTELLO_SANITIZE=address,undefined -DVISTELLO_BUILD_BENCH=OFF >/dev/null
ninja -C "$BUILD" -j"${JOBS:-2}"

# strict_string_checks stays off: libxkbcommon-x11 calls strndup with a length on
# names that have no terminating NUL, which is valid but which that check reports
# at every program start on X11.
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1}
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$SRC/tests/sanitizers/lsan.supp:print_suppressions=0}
export ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
ctest --test-dir "$BUILD" -j"${JOBS:-2}" --output-on-failure "$@"
