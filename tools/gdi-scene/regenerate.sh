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
. "$root/tools/windows/wine-loader.sh"
wine wineboot --init >/dev/null 2>&1
# GDI must draw with the same font files as our canvas.
. "$root/tools/windows/wine-fonts.sh"
qo_wine_font_substitutes

[ $# -gt 0 ] || set -- "$root"/tests/platform/graphics/scenes/*.txt
for scene in "$@"; do
  out="${scene%.txt}.gdi.png"
  wine "$work/gdi-scene.exe" "Z:$scene" "Z:$out" </dev/null
  echo "$out"
done
