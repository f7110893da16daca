#!/bin/sh
# Fails when a source file includes a header of a folder above its own. The
# folders, lowest first; settings and slideshow share a level and do not use
# each other.
#   resources < core < platform < settings, slideshow < app
# Usage: check-layers.sh <source dir>
set -u
cd "$1" || exit 2
level() {
    case $1 in
        resources) echo 0 ;; core) echo 1 ;; platform) echo 2 ;;
        settings | slideshow) echo 3 ;; app) echo 4 ;; *) echo "" ;;
    esac
}
status=0
for folder in resources core platform settings slideshow app; do
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
