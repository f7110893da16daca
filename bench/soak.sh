#!/bin/sh
# Long run of the real show: display mode 2 and then display mode 3, speed 10,
# over a mixed folder (JPEG, GIF, BMP of several sizes, one 12-megapixel photo,
# broken and empty files), each under an Xvfb of its own at 1920 x 1080. The
# resident size is sampled every few seconds; growth after the first minute is
# reported per mode.
#   usage: bench/soak.sh <build folder> [seconds per mode] [modes]
# Samples go to $SOAK_OUT (default a fresh folder under /tmp), one CSV per mode.
set -eu
BUILD=$(cd "${1:?usage: $0 <build folder> [seconds per mode] [modes]}" && pwd)
SECONDS_EACH=${2:-600}
MODES=${3:-2 3}
STEP=${SOAK_STEP:-5}
OUT=${SOAK_OUT:-$(mktemp -d /tmp/vistello-soak.XXXXXX)}
DISPLAY_NUMBER=${DISPLAY_NUMBER:-94}
WORK=$(mktemp -d /tmp/vistello-soak-work.XXXXXX)
mkdir -p "$OUT"

# The mixed folder.
PICS=$WORK/pics
mkdir -p "$PICS"
convert -size 4000x3000 gradient:'#a05020'-'#2040a0' -quality 85 "$PICS/01-photo-12mp.jpg"
convert -size 1600x1200 plasma:fractal -quality 85 "$PICS/02-plasma.jpg"
convert -size 800x600 gradient:green-yellow "$PICS/03-gradient.gif"
convert -size 640x480 -delay 20 xc:red xc:blue xc:green -loop 0 "$PICS/04-animated.gif"
convert -size 1024x768 gradient:white-black BMP3:"$PICS/05-grey.bmp"
convert -size 300x200 xc:orange "$PICS/06 名前 with blanks.JPG"
head -c 20000 "$PICS/02-plasma.jpg" > "$PICS/07-cut.jpg"
: > "$PICS/08-empty.bmp"
echo "not a picture" > "$PICS/09-text.gif"
head -c 4096 /dev/urandom > "$PICS/10-random.jpeg"

Xvfb ":$DISPLAY_NUMBER" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
cleanup() { kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$WORK"; }
trap cleanup EXIT
sleep 1

for mode in $MODES; do
    dir=$WORK/mode$mode
    mkdir -p "$dir"
    cp "$BUILD/Vistello" "$dir/"
    printf '%s/\r\nFILE_NAME\r\n %s \r\n 10 \r\n 10 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n' \
        "$PICS" "$mode" > "$dir/Vistello.ini"
    (cd "$dir" && DISPLAY=":$DISPLAY_NUMBER" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK" exec ./Vistello /s) &
    pid=$!
    csv=$OUT/mode$mode.csv
    echo "seconds,rss_kb,hwm_kb,cpu_ticks" > "$csv"
    t=0
    while [ "$t" -le "$SECONDS_EACH" ]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "mode $mode: the show ended by itself after $t s" >&2
            exit 1
        fi
        rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
        hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
        cpu=$(awk '{print $14 + $15}' "/proc/$pid/stat")
        echo "$t,$rss,$hwm,$cpu" >> "$csv"
        sleep "$STEP"
        t=$((t + STEP))
    done
    DISPLAY=":$DISPLAY_NUMBER" xdotool key space
    wait "$pid" || { echo "mode $mode: exit status $?" >&2; exit 1; }
    # The show holds one picture at a time, so the size swings with the picture
    # shown; growth is the top and the bottom of the swing in the last minute
    # against the second minute.
    awk -F, -v mode="$mode" -v hz="$(getconf CLK_TCK)" 'NR > 1 {
            if ($1 >= 60 && $1 < 120) { if (a_hi == "" || $2 > a_hi) a_hi = $2; if (a_lo == "" || $2 < a_lo) a_lo = $2 }
            rows[NR] = $1 "," $2; last_t = $1; cpu = $4; hwm = $3; n = NR }
        END {
            for (i = 2; i <= n; i++) { split(rows[i], f, ",")
                if (f[1] > last_t - 60) { if (b_hi == "" || f[2] > b_hi) b_hi = f[2]; if (b_lo == "" || f[2] < b_lo) b_lo = f[2] } }
            printf "mode %s: %d s; RSS in the second minute %d..%d kB, in the last minute %d..%d kB: growth %+d kB (top), %+d kB (bottom); peak %d kB; CPU %.3f s per s\n",
                   mode, last_t, a_lo, a_hi, b_lo, b_hi, b_hi - a_hi, b_lo - a_lo, hwm, cpu / hz / last_t }' "$csv"
done
echo "samples in $OUT"
