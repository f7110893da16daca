#!/bin/sh
# Prints the lines of the tests against the lines of the code they test, both
# counted the same way: C and C++ sources and headers and shell scripts, every line.
# bench/, fuzz/ and docs/ count on neither side.
# Usage: line-ratio.sh [<source dir>]
set -eu
cd "${1:-$(dirname "$0")/..}"
count() { find "$@" -type f \( -name '*.cpp' -o -name '*.c' -o -name '*.h' -o -name '*.sh' \) -exec cat {} + | wc -l; }
code=$(count app idle core platform settings slideshow resources packaging build.sh)
tests=$(count tests)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "test lines %d, code lines %d: ratio %.2f\n", t, c, t / c }'
