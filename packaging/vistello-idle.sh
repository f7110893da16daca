#!/bin/sh
# vistello-idle: starts the Vistello screen saver ("Vistello /s") whenever the
# X11 session has been idle for a while.
#
# Usage: vistello-idle [TIME]
#   TIME  idle time before the show starts: minutes ("10", the default) or
#         seconds with an "s" ("90s").
#
# Start it once per session, in the background (from ~/.xsessionrc or a desktop
# autostart entry); it ends with the X session. It needs xprintidle (the idle
# time, from the X server) and xset (Debian packages xprintidle and
# x11-xserver-utils). It turns the X server's own screen saver off ("xset s
# off"), which would otherwise blank the screen over the show; power saving
# (DPMS) stays as it is. The show ends on a key, a click or a mouse movement;
# it takes the keyboard itself, so a key ends it even without a window manager.
# After a show, the next one waits until the session has been used and is idle
# again, so a show that ends by itself is not restarted over and over.
set -u

usage() {
    echo "usage: vistello-idle [MINUTES | SECONDSs]   (default: 10 minutes)" >&2
    exit 2
}

[ $# -le 1 ] || usage
[ $# -eq 0 ] || [ ${#1} -le 7 ] || usage
time=${1:-10}
case $time in
    *[!0-9s]* | s* | *s?* | "") usage ;;
    *s) limit=${time%s} ;;
    *) limit=$((time * 60)) ;;
esac
[ "$limit" -gt 0 ] 2>/dev/null || usage

# The Vistello installed beside this script, else the one on the PATH.
here=$(dirname "$0")
if [ -x "$here/Vistello" ]; then
    program=$here/Vistello
elif program=$(command -v Vistello); then
    :
else
    echo "vistello-idle: Vistello not found beside this script or on the PATH" >&2
    exit 1
fi
if ! command -v xprintidle >/dev/null 2>&1; then
    echo "vistello-idle: xprintidle is not installed (Debian package xprintidle)" >&2
    exit 1
fi
if [ -z "${DISPLAY:-}" ] || ! xprintidle >/dev/null 2>&1; then
    echo "vistello-idle: no X display to watch (DISPLAY=${DISPLAY:-})" >&2
    exit 1
fi
xset s off 2>/dev/null || echo "vistello-idle: could not turn the X screen saver off (xset)" >&2

armed=1
while :; do
    # A failure here means the X server has gone: the session is over.
    idle_ms=$(xprintidle 2>/dev/null) || exit 0
    idle=$((idle_ms / 1000))
    if [ "$idle" -lt "$limit" ]; then
        armed=1
    elif [ "$armed" -eq 1 ]; then
        "$program" /s
        armed=0
    fi
    # Check again when the limit can have been reached, at least every 5 seconds
    # so that a show also starts soon after the last input before it.
    wait=$((limit - idle))
    [ "$wait" -le 5 ] || wait=5
    [ "$wait" -ge 1 ] || wait=1
    sleep "$wait"
done
