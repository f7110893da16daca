#!/bin/sh
# Peak memory of Vistello /s in display mode 2 at speed 10 (a new picture every
# second, placed at random) over large baseline JPEG photos for SHOW_SECONDS
# (default 60), against the same program on an empty folder for 6 s; each RUNS
# times (default 5), every run printed and then the medians. Aim: the show's peak
# at most the empty show's plus two screens of pixels (2 x 1920 x 1080 x 4 bytes).
# Xvfb of its own at 1920 x 1080.
#   usage: bench/measure-memory.sh <build folder>
set -eu
BUILD=$(cd "${1:?usage: $0 <build folder>}" && pwd)
WORK=$(mktemp -d /tmp/vistello-memory.XXXXXX)
DISPLAY_NUMBER=${DISPLAY_NUMBER:-93}
SHOW_SECONDS=${SHOW_SECONDS:-60}
RUNS=${RUNS:-5}

Xvfb ":$DISPLAY_NUMBER" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
cleanup() { kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$WORK"; }
trap cleanup EXIT
sleep 1

# One run of the show on a folder for some seconds; prints its peak in kB.
run() { # seconds folder
    dir=$WORK/run
    rm -rf "$dir"; mkdir -p "$dir"
    cp "$BUILD/Vistello" "$dir/"
    printf '%s/\r\nFILE_NAME\r\n 2 \r\n 10 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n' "$2" > "$dir/Vistello.ini"
    (cd "$dir" && DISPLAY=":$DISPLAY_NUMBER" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK" ./Vistello /s) &
    pid=$!
    sleep "$1"
    awk '/VmHWM/ {print $2}' "/proc/$pid/status"
    DISPLAY=":$DISPLAY_NUMBER" xdotool key space
    wait "$pid" || true
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

mkdir -p "$WORK/empty" "$WORK/photos"
for size in 8000x6000 6000x4000 6028x3391 3391x6028; do
    convert -size "$size" gradient:'#f0a060'-'#302070' -attenuate 0.3 +noise Uniform -quality 90 "$WORK/photos/$size.jpg"
    echo "$size baseline JPEG: $(stat -c %s "$WORK/photos/$size.jpg") bytes"
done

: > "$WORK/empty.kb"; : > "$WORK/show.kb"
n=0
while [ $n -lt "$RUNS" ]; do
    empty=$(run 6 "$WORK/empty")
    show=$(run "$SHOW_SECONDS" "$WORK/photos")
    echo "run $((n + 1)): empty show peak $empty kB, $SHOW_SECONDS-s show peak $show kB"
    echo "$empty" >> "$WORK/empty.kb"; echo "$show" >> "$WORK/show.kb"
    n=$((n + 1))
done
EMPTY_KB=$(median < "$WORK/empty.kb")
SHOW_KB=$(median < "$WORK/show.kb")
SCREENS_KB=$((2 * 1920 * 1080 * 4 / 1024))
echo "medians: empty show $EMPTY_KB kB, show $SHOW_KB kB: the pictures add $((SHOW_KB - EMPTY_KB)) kB (aim: at most $SCREENS_KB kB)"
[ $((SHOW_KB - EMPTY_KB)) -le $SCREENS_KB ] && echo "within the aim" || echo "ABOVE the aim"
