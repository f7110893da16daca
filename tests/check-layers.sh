#!/bin/sh
# Fails when a source file includes a header of a folder above its own. The
# folders, lowest first; settings and slideshow share a level and do not use
# each other, nor do the two program folders app and idle.
#   resources < core < platform < settings, slideshow < app, idle
# idle/ needs no GUI: from platform/ it takes only what vistello_platform_base builds.
# Usage: check-layers.sh <source dir>
set -u
cd "$1" || exit 2
level() {
    case $1 in
        resources) echo 0 ;; core) echo 1 ;; platform) echo 2 ;;
        settings | slideshow) echo 3 ;; app | idle) echo 4 ;; *) echo "" ;;
    esac
}
status=0
gui_free=$(grep vistello_platform_base platform/CMakeLists.txt | grep -o '[A-Za-z0-9_/]*[.]h' | sort -u)
for file in $(find idle -name '*.cpp' -o -name '*.h'); do
    for header in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"platform\/\(.*\)".*/\1/p' "$file"); do
        if ! echo "$gui_free" | grep -qx "$header"; then
            echo "$file includes platform/$header, which is not in the GUI-free vistello_platform_base"
            status=1
        fi
    done
done
for folder in resources core platform settings slideshow app idle; do
    own=$(level "$folder")
    for file in $(find "$folder" -name '*.cpp' -o -name '*.h' -o -name '*.xpm'); do
        for used in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\)\/.*/\1/p' "$file" | sort -u); do
            other=$(level "$used")
            [ -z "$other" ] && continue
            if [ "$other" -gt "$own" ] || { [ "$other" -eq "$own" ] && [ "$used" != "$folder" ]; }; then
                echo "$file includes $used/, a folder above or beside its own"
                status=1
            fi
        done
    done
done
[ $status -eq 0 ] && echo "includes point down only"
exit $status
