#!/bin/sh
# The package cpack makes from this build's tree: lintian finds no error and no warning,
# the manual pages render without a warning, the launchers and the screen saver theme are
# valid and name the installed programs.
# Usage: check-deb.sh <build dir> <scratch dir>
set -eu
rm -rf "$2"
cpack -G DEB --config "$1/CPackConfig.cmake" -B "$2" >/dev/null
lintian --fail-on error,warning "$2"/vistello_*.deb
dpkg-deb -x "$2"/vistello_*.deb "$2/root"
for page in Vistello Vistello_manual vistello-idle; do
    man --warnings -l "$2/root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null | grep . && exit 1
done
apps=$2/root/usr/share/applications
desktop-file-validate "$apps/vistello.desktop" "$apps/vistello-settings.desktop" "$apps/screensavers/vistello.desktop"
grep -qx 'Exec=/usr/bin/Vistello_manual' "$apps/vistello.desktop"
grep -qx 'Exec=/usr/bin/Vistello /c' "$apps/vistello-settings.desktop"
grep -qx 'Exec=/usr/bin/Vistello /s' "$apps/screensavers/vistello.desktop"
grep -qx 'ExecStart="/usr/bin/vistello-idle"' "$2/root/usr/share/systemd/user/vistello-idle.service"
! dpkg-deb -f "$2"/vistello_*.deb Recommends | grep .
dpkg-deb -f "$2"/vistello_*.deb Depends | grep -q 'qt6-wayland, qt6-base-abi (= '
