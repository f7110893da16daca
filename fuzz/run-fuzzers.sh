#!/bin/sh
# Builds the libFuzzer targets with clang in their own build folder and runs each
# for the given number of seconds on a copy of the seed corpus.
#   usage: fuzz/run-fuzzers.sh [seconds per target] [target...]
# Build folder: $FUZZ_BUILD (default build-fuzz beside the sources); findings go to
# $FUZZ_OUT (default $FUZZ_BUILD/findings), one log per target.
set -eu
SRC=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_EACH=${1:-60}
[ $# -gt 0 ] && shift
TARGETS=${*:-fuzz_settings_file fuzz_leading_number fuzz_pictures}
BUILD=${FUZZ_BUILD:-$SRC/build-fuzz}
OUT=${FUZZ_OUT:-$BUILD/findings}

cmake -S "$SRC" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DVISTELLO_FUZZ=ON -DVISTELLO_BUILD_TESTS=OFF -DVISTELLO_BUILD_BENCH=OFF >/dev/null
ninja -C "$BUILD" -j"${JOBS:-2}" $TARGETS

mkdir -p "$OUT"
status=0
for target in $TARGETS; do
    seeds=$SRC/fuzz/corpus/${target#fuzz_}
    corpus=$OUT/$target-corpus
    mkdir -p "$corpus" "$OUT/$target-crashes"
    echo "== $target for $SECONDS_EACH s"
    if "$BUILD/$target" -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -timeout=20 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$OUT/$target-crashes/" \
        "$corpus" "$seeds" >"$OUT/$target.log" 2>&1; then
        echo "   no findings"
    else
        echo "   FINDINGS, see $OUT/$target.log"
        status=1
    fi
    grep -E '^(#[0-9]+ +DONE|stat::)' "$OUT/$target.log" || tail -n 5 "$OUT/$target.log"
done
exit $status
