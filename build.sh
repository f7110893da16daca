#!/usr/bin/env bash
# Vistello: set up, build, and run the program or the tests on Debian 12.
#   ./build.sh run    build, then run the screen saver on the bundled sample pictures
#   ./build.sh test   build, then run every test (unit, widget and end-to-end)
set -euo pipefail
cd "$(dirname "$0")"

mode="${1:-}"
if [[ "$mode" != run && "$mode" != test ]]; then
  echo "usage: $0 run|test" >&2
  exit 2
fi

# Debian packages the build needs, and those the tests need on top.
# Wayland sessions: Qt's Wayland client headers and scanner, its platform headers (the native
# interface), the protocol files, and the wayland platform plugin itself.
build_packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev fonts-ipafont-gothic
                qt6-wayland-dev qt6-wayland-dev-tools qt6-base-private-dev libwayland-dev wayland-protocols
                qt6-wayland)
test_packages=(libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick libx11-dev libxfixes-dev
               desktop-file-utils x11-xserver-utils dpkg-dev g++-mingw-w64-x86-64-win32 openbox
               xscreensaver lintian man-db x11-utils sway grim wtype)
# vistello-idle: the X server's screen-saver extension, libwayland-client with the scanner and the two idle
# protocols' files; its tests and the lock-screen tests: session buses of their own, systemd's unit check, a
# headless mutter (GNOME's idle monitor).
build_packages+=(libxcb-screensaver0-dev plasma-wayland-protocols)
test_packages+=(dbus-daemon systemd mutter)
packages=("${build_packages[@]}")
[[ "$mode" == test ]] && packages+=("${test_packages[@]}")
[[ "$mode" == run && -z "${DISPLAY:-}" ]] && packages+=(xvfb xauth imagemagick xdotool)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ "$(id -u)" != 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir="${VISTELLO_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVISTELLO_BUILD_TESTS=$([[ "$mode" == test ]] && echo ON || echo OFF) \
  -DVISTELLO_BUILD_BENCH=$([[ "$mode" == test ]] && echo ON || echo OFF) >/dev/null
cmake --build "$build_dir" -j "$(nproc)"

if [[ "$mode" == test ]]; then
  export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
  status=0
  ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" || status=$?
  sh tests/line-ratio.sh .
  exit $status
fi

# The programs sit next to the sample pictures; the default settings show them.
if [[ -n "${DISPLAY:-}" ]]; then
  echo "Running the show; a key, a click or a mouse movement ends it."
  exec "$build_dir/Vistello" /s
fi
echo "No display: running the show on a virtual screen for 5 seconds; screenshot in $build_dir/show.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
  '$build_dir/Vistello' /s & pid=\$!
  sleep 5; import -window root '$build_dir/show.png'; xdotool key space 2>/dev/null || kill \$pid; wait \$pid"
