#!/bin/sh
# Display mode 3 under Wayland beside X11, in one run: BM_MoveMode3 on a headless
# sway (one 1920 x 1080 output, pixman renderer; the show on the overlay layer, and
# once more as a plain full-screen window), then on an Xvfb of the same size. Also
# adds the compositor's or X server's CPU time. Sway refuses root: under root it
# runs as nobody, with a runtime folder of its own.
#   usage: bench/wayland-mode3.sh <build folder>
set -eu
BUILD=$(cd "${1:?usage: $0 <build folder>}" && pwd)
BASE=$(mktemp -d)
chmod 755 "$BASE"
mkdir -m 700 "$BASE/sway" "$BASE/client"
printf 'xwayland disable\noutput HEADLESS-1 mode 1920x1080\n' > "$BASE/sway.conf"
AS=""
if [ "$(id -u)" = 0 ]; then
  chown 65534:65534 "$BASE/sway"
  AS="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
$AS env -i PATH="$PATH" XDG_RUNTIME_DIR="$BASE/sway" WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 \
  WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$BASE/sway.conf" >/dev/null 2>&1 &
SERVER=$!
trap 'kill "$SERVER" 2>/dev/null || true; sleep 1; rm -rf "$BASE"' EXIT
for _ in $(seq 50); do [ -S "$BASE/sway/wayland-1" ] && break; sleep 0.2; done

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
HZ=$(getconf CLK_TCK)
# One BM_MoveMode3 (five one-second repetitions) with the server's CPU time beside it.
measure() {
  before=$(cpu_ticks "$SERVER"); start=$(date +%s.%N)
  "$BUILD/vistello_bench" --benchmark_filter='MoveMode3' --benchmark_counters_tabular=true | grep -E 'median|Benchmark'
  end=$(date +%s.%N); after=$(cpu_ticks "$SERVER")
  echo "server CPU during the run: $(echo "($after - $before) / $HZ / ($end - $start)" | bc -l | cut -c1-5) s per s (set-up included)"
}
# The client finds the server's real process for its CPU: sway itself, not setpriv.
SERVER=$(pgrep -n -x sway)
echo "== Wayland (sway 1.7 headless), overlay layer"
XDG_RUNTIME_DIR="$BASE/client" WAYLAND_DISPLAY="$BASE/sway/wayland-1" QT_QPA_PLATFORM=wayland measure
echo "== Wayland (sway 1.7 headless), plain full-screen window"
XDG_RUNTIME_DIR="$BASE/client" WAYLAND_DISPLAY="$BASE/sway/wayland-1" QT_QPA_PLATFORM=wayland \
  VISTELLO_WAYLAND_SHELL=xdg measure

echo "== X11 (Xvfb)"
Xvfb :93 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
sleep 1
SERVER=$XVFB
DISPLAY=:93 QT_QPA_PLATFORM=xcb measure
kill "$XVFB"
