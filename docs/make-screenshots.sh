#!/bin/sh
# Makes docs/settings-dialog.png: the settings dialog of "Vistello /c" under a
# private Xvfb server, with a picture folder of sample pictures and one of them
# previewed. Usage: docs/make-screenshots.sh [build-folder]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build"}
out="$here/settings-dialog.png"
[ -x "$build/Vistello" ] || { echo "no Vistello in $build (build it first)" >&2; exit 1; }

work=$(mktemp -d /tmp/vistello-shot.XXXXXX)
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
pictures="$work/写真"
mkdir -p "$pictures/旅行" "$pictures/家族"
convert -size 640x400 gradient:'#3a7bd5-#00d2ff' -fill white -draw 'circle 320,200 320,120' "$pictures/海.jpg"
convert -size 300x200 plasma:fractal "$pictures/花.gif"
convert -size 120x90 xc:'#c0392b' "$pictures/夕日.bmp"
printf 'memo\n' > "$pictures/説明.txt"
printf '%s\r\n' "$pictures/" "FILE_NAME" " 1 " " 7 " " 3 " Spare1 Spare2 Spare3 Spare4 Spare5 > "$work/Vistello.ini"

display=:$(( $$ % 400 + 200 ))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
i=0
until xdotool getmouselocation >/dev/null 2>&1; do
    i=$((i + 1)); [ $i -lt 100 ] || { echo "Xvfb did not start" >&2; exit 1; }; sleep 0.1
done

XDG_RUNTIME_DIR="$work" "$work/Vistello" /c &
app_pid=$!
window=$(xdotool search --sync --name "Vistello Ver.1.0" | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"

# Select the second file of the list (海.jpg) so that the preview shows it scaled.
xdotool mousemove $((X + 200)) $((Y + 93)) click 1
sleep 1
xdotool mousemove $((X + 10)) $((Y + 440))
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "wrote $out"
