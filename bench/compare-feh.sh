#!/bin/sh
# Vistello /s against feh (full screen) on the same pictures under the same Xvfb
# screen (1920 x 1080 x 24, black root), each measure RUNS times (default 5),
# every run printed and then the median:
#   1. start to first picture on screen, folder of 3000 pictures in file-name
#      order whose first is a 6000 x 4000 baseline JPEG (the others are links to
#      one small JPEG)
#   2. peak resident size while an 8000 x 6000 JPEG is shown, once baseline and
#      once progressive (the same picture)
#   3. CPU per second of a static show (one 1600 x 1200 picture, 20 s), once
# "On screen" is when the screen's centre pixel turns the picture's red, polled
# through Xlib (one pixel a poll, well under a millisecond). Vistello runs display
# mode 1, file-name order, speed 1 (a switch every 10 s).
# The pictures are made with ImageMagick: red with noise, quality 90; the
# progressive one with -interlace Plane.
#   usage: bench/compare-feh.sh <build folder>
set -eu
BUILD=$(cd "${1:?usage: $0 <build folder>}" && pwd)
RUNS=${RUNS:-5}
DISPLAY_NUMBER=${DISPLAY_NUMBER:-95}
WORK=$(mktemp -d /tmp/vistello-feh.XXXXXX)
export DISPLAY=":$DISPLAY_NUMBER"
command -v feh >/dev/null || { echo "feh is not installed (apt-get install feh)" >&2; exit 2; }

Xvfb "$DISPLAY" -screen 0 1920x1080x24 -br -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
cleanup() { kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$WORK"; }
trap cleanup EXIT
sleep 1

# Started before the program: waits until the centre of the screen is red and
# prints the clock then (ns since the epoch, as date +%s%N).
red_centre_ns() {
    /usr/bin/python3 - <<'PY'
import ctypes, sys, time
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDisplayWidth.argtypes = x.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                        ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x.XGetImage.restype = ctypes.c_void_p
x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x.XGetPixel.restype = ctypes.c_ulong
x.XDestroyImage.argtypes = [ctypes.c_void_p]
d = x.XOpenDisplay(None)
root = x.XDefaultRootWindow(d)
cx, cy = x.XDisplayWidth(d, 0) // 2, x.XDisplayHeight(d, 0) // 2
deadline = time.time() + 60
while time.time() < deadline:
    image = x.XGetImage(d, root, cx, cy, 1, 1, 0xFFFFFFFF, 2)
    pixel = x.XGetPixel(image, 0, 0)
    x.XDestroyImage(image)
    r, g, b = (pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255
    if r > 150 and g < 100 and b < 100:
        print(time.time_ns())
        sys.exit(0)
print("timeout")
sys.exit(1)
PY
}

red_jpeg() { # width height file [convert options]
    w=$1 h=$2 file=$3; shift 3
    convert -size "${w}x${h}" xc:'#d02020' -attenuate 0.3 +noise Uniform -quality 90 "$@" "$file"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Starts a program on a picture folder in the background; sets PID.
start_vistello() { # folder
    run_dir=$WORK/vistello-run
    rm -rf "$run_dir"; mkdir -p "$run_dir"
    cp "$BUILD/Vistello" "$run_dir/"
    printf '%s/\r\nFILE_NAME\r\n 1 \r\n 1 \r\n 3 \r\nSpare1\r\nSpare2\r\nSpare3\r\nSpare4\r\nSpare5\r\n' "$1" > "$run_dir/Vistello.ini"
    cd "$run_dir"
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK" ./Vistello /s &
    PID=$!
    cd - >/dev/null
}
start_feh() { # folder
    feh --fullscreen --hide-pointer --sort filename --image-bg black "$1" &
    PID=$!
}
start() { if [ "$1" = vistello ]; then start_vistello "$2"; else start_feh "$2"; fi; }
stop() {
    kill "$PID" 2>/dev/null || true
    wait "$PID" 2>/dev/null || true
}
# Starts the program on a folder with the poller already polling; sets MS.
start_and_time() { # program folder
    red_centre_ns > "$WORK/seen" &
    poller=$!
    sleep 0.5
    begin=$(date +%s%N)
    start "$1" "$2"
    if wait "$poller"; then MS=$(( ($(cat "$WORK/seen") - begin) / 1000000 )); else MS=timeout; fi
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "feh: $(feh --version | head -n1)"

# 1. Start to first picture, 3000 pictures, the first a 6000 x 4000 baseline JPEG.
mkdir -p "$WORK/many"
red_jpeg 6000 4000 "$WORK/many/0000.jpg"
red_jpeg 64 48 "$WORK/small.jpg"
i=1
while [ $i -lt 3000 ]; do ln -s "$WORK/small.jpg" "$WORK/many/$(printf %04d $i).jpg"; i=$((i + 1)); done
echo "6000 x 4000 baseline JPEG: $(stat -c %s "$WORK/many/0000.jpg") bytes"
for program in vistello feh; do
    n=0
    : > "$WORK/times"
    while [ $n -lt "$RUNS" ]; do
        start_and_time $program "$WORK/many"
        stop
        echo "first picture, 3000 pictures, $program: $MS ms"
        echo "$MS" >> "$WORK/times"
        sleep 1
        n=$((n + 1))
    done
    echo "first picture, 3000 pictures, $program: median $(median < "$WORK/times") ms"
done

# 2. Peak memory with an 8000 x 6000 JPEG on screen, baseline and progressive.
for kind in baseline progressive; do
    dir=$WORK/$kind
    mkdir -p "$dir"
    if [ $kind = baseline ]; then red_jpeg 8000 6000 "$dir/big.jpg"; else red_jpeg 8000 6000 "$dir/big.jpg" -interlace Plane; fi
    echo "8000 x 6000 $kind JPEG: $(stat -c %s "$dir/big.jpg") bytes, $(identify -format '%[interlace]' "$dir/big.jpg") interlace"
    for program in vistello feh; do
        n=0
        : > "$WORK/peaks"
        while [ $n -lt "$RUNS" ]; do
            start_and_time $program "$dir"
            sleep 3
            hwm=$(awk '/VmHWM/ {print $2}' "/proc/$PID/status")
            stop
            echo "8000 x 6000 $kind JPEG, $program: on screen after $MS ms, peak $((hwm / 1024)) MB"
            echo "$hwm" >> "$WORK/peaks"
            sleep 1
            n=$((n + 1))
        done
        echo "8000 x 6000 $kind JPEG, $program: median peak $(( $(median < "$WORK/peaks") / 1024 )) MB"
    done
done

# 3. CPU of a static show.
mkdir -p "$WORK/one"
red_jpeg 1600 1200 "$WORK/one/one.jpg"
hz=$(getconf CLK_TCK)
for program in vistello feh; do
    start $program "$WORK/one"
    sleep 5
    a=$(cpu_ticks "$PID"); xa=$(cpu_ticks "$XVFB_PID")
    sleep 20
    b=$(cpu_ticks "$PID"); xb=$(cpu_ticks "$XVFB_PID")
    stop
    echo "static show, $program: $(echo "scale=4; ($b - $a) / $hz / 20" | bc) s CPU per s; X server $(echo "scale=4; ($xb - $xa) / $hz / 20" | bc) s per s"
    sleep 1
done
