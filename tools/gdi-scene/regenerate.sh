#!/bin/sh
# Regenerates the GDI reference images of the canvas scenes: cross-builds the
# GDI renderer with mingw-w64 and runs it under Wine in a fresh prefix.
#   tools/gdi-scene/regenerate.sh [SCENE.txt ...]   (default: every test scene)
# Each SCENE.txt gets SCENE.gdi.png beside it, and SCENE.gdi.extents when it
# measures text. Look at the changes before committing.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

x86_64-w64-mingw32-g++ -O2 -std=c++17 -Wall -Wextra -static -o "$work/gdi-scene.exe" "$here/gdiScene.cpp" -lgdi32

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
wine wineboot --init >/dev/null 2>&1
# GDI must draw with the same font files as our canvas: the Windows names map to
# their metric twins as TqoFontFace::ResolveFamily maps them.
subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for pair in "Arial=Liberation Sans" "Helvetica=Liberation Sans" "MS Sans Serif=Liberation Sans" \
            "Microsoft Sans Serif=Liberation Sans" "Tahoma=Liberation Sans" "Times New Roman=Liberation Serif" \
            "Courier New=Liberation Mono" "Courier=Liberation Mono"; do
  wine reg add "$subst" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done

[ $# -gt 0 ] || set -- "$root"/tests/platform/graphics/scenes/*.txt
for scene in "$@"; do
  out="${scene%.txt}.gdi.png"
  wine "$work/gdi-scene.exe" "Z:$scene" "Z:$out" </dev/null
  echo "$out"
done
