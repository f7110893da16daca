#!/bin/sh
# Vistello /s against feh (full screen) on the same pictures under the same Xvfb
# screen (1920 x 1080 x 24, black root):
#   1. start to first picture on screen, folder of 3000 pictures (1600 x 1200 JPEG),
#      by polling the screen's centre pixel (xwd, about 30 ms a poll); RUNS runs each
#   2. peak resident size while a 24-megapixel and a 48-megapixel JPEG are shown
#   3. CPU per second of a static show: one picture, nothing moving, 20 s measured
#      after 5 s; the X server's CPU in the same time is given beside it
# Vistello runs display mode 1, file-name order; speed 1 (a switch every 10 s, the
# single picture is read again at each switch) for the static show.
#   usage: bench/compare-feh.sh <build folder>
set -eu
BUILD=$(cd "${1:?usage: $0 <build folder>}" && pwd)
RUNS=${RUNS:-3}
DISPLAY_NUMBER=${DISPLAY_NUMBER:-95}
WORK=$(mktemp -d /tmp/vistello-feh.XXXXXX)
export DISPLAY=":$DISPLAY_NUMBER"
command -v feh >/dev/null || { echo "feh is not installed (apt-get install feh)" >&2; exit 2; }

Xvfb "$DISPLAY" -screen 0 1920x1080x24 -br -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
cleanup() { kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$WORK"; }
trap cleanup EXIT
sleep 1

# Waits until the centre of the screen is red; prints the milliseconds since $1 (ns).
first_picture_ms() {
    /usr/bin/python3 - "$1" <<'PY'
import struct, subprocess, sys, time
start = int(sys.argv[1])
deadline = time.time() + 60
while time.time() < deadline:
    raw = subprocess.run(["xwd", "-root", "-silent"], capture_output=True).stdout
    if len(raw) < 100:
        continue
    h = struct.unpack(">25I", raw[:100])
    size, width, height, bpl, ncolors = h[0], h[4], h[5], h[12], h[19]
    at = size + ncolors * 12 + (height // 2) * bpl + (width // 2) * 4
    b, g, r = raw[at], raw[at + 1], raw[at + 2]
    if r > 150 and g < 100 and b < 100:
        print((time.time_ns() - start) // 1000000)
        sys.exit(0)
print("timeout")
sys.exit(1)
PY
}

red_jpeg() { # width height file
    convert -size "$1x$2" xc:'#d02020' -attenuate 0.3 +noise Uniform -quality 90 "$3"
}

# Starts a program on a picture folder in the background; sets PID.
start_vistello() { # folder speed
    run_dir=$WORK/vistello-run
    rm -rf "$run_dir"; mkdir -p "$run_dir"
    cp "$BUILD/Vistello" "$run_dir/"
    printf '%s/\r\nFILE_NAME\r\n 1 \r\n %s \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n' "$1" "$2" > "$run_dir/Vistello.ini"
    cd "$run_dir"
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK" ./Vistello /s &
    PID=$!
    cd - >/dev/null
}
start_feh() { # folder
    feh --fullscreen --hide-pointer --sort filename --image-bg black "$1" &
    PID=$!
}
stop() {
    kill "$PID" 2>/dev/null || true
    wait "$PID" 2>/dev/null || true
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "feh: $(feh --version | head -n1)"

# 1. Start to first picture, 3000 pictures.
mkdir -p "$WORK/many"
red_jpeg 1600 1200 "$WORK/many/0000.jpg"
i=1
while [ $i -lt 3000 ]; do ln "$WORK/many/0000.jpg" "$WORK/many/$(printf %04d $i).jpg"; i=$((i + 1)); done
for program in vistello feh; do
    n=0
    while [ $n -lt "$RUNS" ]; do
        start=$(date +%s%N)
        if [ $program = vistello ]; then start_vistello "$WORK/many" 1; else start_feh "$WORK/many"; fi
        ms=$(first_picture_ms "$start")
        stop
        echo "first picture, 3000 pictures, $program: $ms ms"
        sleep 1
        n=$((n + 1))
    done
done

# 2. Peak memory with a large picture on screen.
for mp in 24 48; do
    dir=$WORK/big$mp
    mkdir -p "$dir"
    if [ $mp = 24 ]; then red_jpeg 6000 4000 "$dir/big.jpg"; else red_jpeg 8000 6000 "$dir/big.jpg"; fi
    for program in vistello feh; do
        start=$(date +%s%N)
        if [ $program = vistello ]; then start_vistello "$dir" 1; else start_feh "$dir"; fi
        ms=$(first_picture_ms "$start")
        sleep 3
        hwm=$(awk '/VmHWM/ {print $2}' "/proc/$PID/status")
        rss=$(awk '/VmRSS/ {print $2}' "/proc/$PID/status")
        stop
        echo "$mp MP JPEG, $program: on screen after $ms ms, peak $((hwm / 1024)) MB, resident then $((rss / 1024)) MB"
        sleep 1
    done
done

# 3. CPU of a static show.
mkdir -p "$WORK/one"
red_jpeg 1600 1200 "$WORK/one/one.jpg"
hz=$(getconf CLK_TCK)
for program in vistello feh; do
    if [ $program = vistello ]; then start_vistello "$WORK/one" 1; else start_feh "$WORK/one"; fi
    sleep 5
    a=$(cpu_ticks "$PID"); xa=$(cpu_ticks "$XVFB_PID")
    sleep 20
    b=$(cpu_ticks "$PID"); xb=$(cpu_ticks "$XVFB_PID")
    stop
    echo "static show, $program: $(echo "scale=4; ($b - $a) / $hz / 20" | bc) s CPU per s; X server $(echo "scale=4; ($xb - $xa) / $hz / 20" | bc) s per s"
    sleep 1
done
