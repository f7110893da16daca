#!/bin/sh
# Runs the benchmarks on an X server of their own (Xvfb, 1920 x 1080), as the
# show would run on a desktop, and adds the X server's own CPU time for the
# moving-picture benchmark. Then measures peak memory (measure-memory.sh).
#   usage: bench/run-benchmarks.sh <build folder>
set -eu
BUILD=$(cd "${1:?usage: $0 <build folder>}" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
DISPLAY_NUMBER=${DISPLAY_NUMBER:-92}

Xvfb ":$DISPLAY_NUMBER" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
sleep 1

export DISPLAY=":$DISPLAY_NUMBER" QT_QPA_PLATFORM=xcb
"$BUILD/vistello_bench" --benchmark_filter='ImageList|Sort|FirstPicture|Plain|Preview'

# CPU time of a process in clock ticks (user + system).
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
HZ=$(getconf CLK_TCK)
before=$(cpu_ticks "$XVFB_PID")
start=$(date +%s.%N)
"$BUILD/vistello_bench" --benchmark_filter='MoveMode3'
end=$(date +%s.%N)
after=$(cpu_ticks "$XVFB_PID")
echo "X server CPU during BM_MoveMode3: $(echo "($after - $before) / $HZ / ($end - $start)" | bc -l | cut -c1-5) s per s (includes set-up)"

"$HERE/measure-memory.sh" "$BUILD"
