#!/bin/sh
# Builds the Windows-API-only sources and the version resource with mingw-w64,
# the part of the Windows build that can be checked on Linux, and checks the
# syntax of the Qt-based Windows sources against this system's Qt headers.
# Exits 77 (skipped) when the cross compiler is not installed (Debian:
# g++-mingw-w64-x86-64-win32).
# Usage: check-windows-api.sh <source dir> <configured .rc> <scratch dir>
#                             [<generated header dir> <Qt include dirs, ":"-separated>]
set -eu
src=$1
rc=$2
out=$3
generated=${4:-}
qt_includes=${5:-}
cxx=x86_64-w64-mingw32-g++
windres=x86_64-w64-mingw32-windres
if ! command -v "$cxx" >/dev/null 2>&1 || ! command -v "$windres" >/dev/null 2>&1; then
    echo "mingw-w64 not installed: skipped"
    exit 77
fi
mkdir -p "$out"
"$windres" --input-format=rc --output-format=coff -c 65001 "$rc" "$out/vistello_rc.o"
"$cxx" -std=c++20 -Wall -Wextra -Werror -I"$src" \
    "$src/platform/windows/User32.cpp" "$src/tests/windows/user32_probe.cpp" "$out/vistello_rc.o" \
    -luser32 -o "$out/user32_probe.exe"

# The import table names user32's functions, and the resource carries the
# version strings (UTF-16 in the file).
objdump=x86_64-w64-mingw32-objdump
"$objdump" -p "$out/user32_probe.exe" > "$out/headers.txt"
for function in ShowCursor SetWindowPos; do
    grep -q "$function" "$out/headers.txt" || { echo "user32 import $function missing"; exit 1; }
done
grep -qi "DLL Name: USER32.dll" "$out/headers.txt" || { echo "not linked against user32"; exit 1; }
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
for text in "SCRNSAVE:Vistello" "1.00" "041104b0" "Vistello.scr" "画像スクリーンセーバー"; do
    needle=$(utf16 "$text" | od -An -tx1 -v | tr -d ' \n')
    od -An -tx1 -v "$out/user32_probe.exe" | tr -d ' \n' | grep -q "$needle" \
        || { echo "version resource lacks \"$text\""; exit 1; }
done

# Qt for Windows is not here; its headers for Linux are close enough for a syntax
# check of the code that picks and implements the Windows services.
if [ -n "$qt_includes" ]; then
    flags="-std=c++20 -fsyntax-only -Wall -Wextra -Wno-attributes -DQT_NO_KEYWORDS -I$src -I$generated"
    old_ifs=$IFS
    IFS=':'
    for dir in $qt_includes; do flags="$flags -I$dir"; done
    IFS=$old_ifs
    for file in platform/windows/Win32CursorDisplay.cpp platform/windows/Win32WindowSystem.cpp platform/NativePlatform.cpp \
                app/RealServices.cpp; do
        # shellcheck disable=SC2086
        "$cxx" $flags "$src/$file" || { echo "$file does not compile for Windows"; exit 1; }
    done
fi
echo "user32 code and version resource build with mingw-w64"
