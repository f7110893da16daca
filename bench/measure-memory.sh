#!/bin/sh
# Peak memory of Vistello /s while a 48-megapixel JPEG is shown, against the
# same program showing an empty folder. Runs each under an Xvfb of its own
# (1920 x 1080) for a few seconds with one switch a second (the same picture is
# read again at every switch), then ends it with a key.
#   usage: bench/measure-memory.sh <build folder>
set -eu
BUILD=$(cd "${1:?usage: $0 <build folder>}" && pwd)
WORK=$(mktemp -d /tmp/vistello-memory.XXXXXX)
DISPLAY_NUMBER=${DISPLAY_NUMBER:-93}
SECONDS_SHOWN=${SECONDS_SHOWN:-6}

Xvfb ":$DISPLAY_NUMBER" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
cleanup() { kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$WORK"; }
trap cleanup EXIT
sleep 1

# One run: a folder with the program, its settings file and the given pictures.
run() { # name picture...
    name=$1; shift
    dir="$WORK/$name"
    mkdir -p "$dir"
    cp "$BUILD/Vistello" "$dir/"
    for p in "$@"; do cp "$p" "$dir/"; done
    printf '%s/\r\nFILE_NAME\r\n 1 \r\n 10 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n' "$dir" > "$dir/Vistello.ini"
    (cd "$dir" && DISPLAY=":$DISPLAY_NUMBER" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK" ./Vistello /s) &
    pid=$!
    sleep "$SECONDS_SHOWN"
    hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    DISPLAY=":$DISPLAY_NUMBER" xdotool key space
    wait "$pid" || true
    echo "$name: peak ${hwm} kB, now ${rss} kB" >&2
    echo "$hwm"
}

BIG="$WORK/big-48mp.jpg"
convert -size 8000x6000 gradient:'#f0a060'-'#302070' -attenuate 0.3 +noise Uniform -quality 90 "$BIG"
echo "48 MP JPEG: $(stat -c %s "$BIG") bytes" >&2

EMPTY_KB=$(run empty)
BIG_KB=$(run big "$BIG")
DECODED_KB=$((8000 * 6000 * 4 / 1024))
LIMIT_KB=$((DECODED_KB * 12 / 10 + EMPTY_KB))
echo "decoded size ${DECODED_KB} kB; aim: peak <= 1.2 x decoded + empty = ${LIMIT_KB} kB"
echo "peak with the 48 MP picture: ${BIG_KB} kB, empty program: ${EMPTY_KB} kB"
echo "picture's share: $((BIG_KB - EMPTY_KB)) kB = $(( (BIG_KB - EMPTY_KB) * 100 / DECODED_KB ))% of its decoded size"
[ "$BIG_KB" -le "$LIMIT_KB" ] && echo "within the aim" || echo "ABOVE the aim"
