#!/bin/sh
# Makes docs/show-mode1.png, show-mode2.png and show-mode3.png: the running
# show ("Vistello /s") in each display mode (1 centred, 2 random place, 3
# gliding), with the sample pictures, under a private Xvfb server.
# Usage: docs/make-show-screenshots.sh [build-folder]   (default: ../build)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build"}
samples="$here/../resources/samples"
[ -x "$build/Vistello" ] || { echo "no Vistello in $build (build it first)" >&2; exit 1; }
ls "$samples"/*.jpg "$samples"/*.gif "$samples"/*.bmp >/dev/null 2>&1 \
    || { echo "no sample pictures in $samples" >&2; exit 1; }

work=$(mktemp -d /tmp/vistello-show-shot.XXXXXX)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# The program keeps its settings beside itself, so it runs from a copy.
cp "$build/Vistello" "$work/"
mkdir "$work/pictures"
cp "$samples"/*.jpg "$samples"/*.gif "$samples"/*.bmp "$work/pictures/"

display=:$(( $$ % 400 + 300 ))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display" XDG_RUNTIME_DIR="$work"
i=0
until xdotool getmouselocation >/dev/null 2>&1; do
    i=$((i + 1)); [ $i -lt 100 ] || { echo "Xvfb did not start" >&2; exit 1; }; sleep 0.1
done

# The share of the screen that is not black, 0 to 1.
coverage() {
    convert "$1" -fill white +opaque black -colorspace Gray -format '%[fx:mean]' info:
}

# mode, seconds before the first shot, number of shots. A gliding picture is
# often partly off the screen: of several shots the one showing most of it is kept.
for shot in "1 2 1" "2 4 1" "3 1 15"; do
    set -- $shot
    mode=$1
    # Order by file name; switching speed 8 (a picture every 3 seconds); moving speed 3.
    printf '%s\r\n' "$work/pictures/" "FILE_NAME" " $mode " " 8 " " 3 " Spare1 Spare2 Spare3 Spare4 Spare5 \
        > "$work/Vistello.ini"
    xdotool mousemove 1023 767
    "$work/Vistello" /s &
    app_pid=$!
    sleep "$2"
    best=0
    n=0
    while [ "$n" -lt "$3" ]; do
        import -silent -window root "$work/shot.png"
        c=$(coverage "$work/shot.png")
        if awk "BEGIN { exit !($c > $best) }"; then
            best=$c
            cp "$work/shot.png" "$here/show-mode$mode.png"
        fi
        n=$((n + 1))
        [ "$n" -lt "$3" ] && sleep 0.4
    done
    xdotool key Escape
    wait "$app_pid" || true
    app_pid=
    echo "wrote $here/show-mode$mode.png"
done
