#!/usr/bin/env bash
# A fresh Wine prefix for the Windows test programs: qoWinePrefix.sh <prefix dir>.
# Windows get Wine's display-less driver, so no X server is needed. Exit 77
# (skipped) when Wine is missing.
set -uo pipefail
[ -x /usr/lib/wine/wine64 ] || { echo "SKIPPED: wine64 is not installed"; exit 77; }
. "$(dirname "$0")/../../tools/windows/wine-loader.sh"
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
wineserver -k >/dev/null 2>&1
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wine wineboot --init >/dev/null 2>&1 || { echo "wineboot failed"; exit 1; }
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || exit 1
# The Windows font names find the files our canvas uses on Linux, as when the
# GDI references were drawn.
. "$(dirname "$0")/../../tools/windows/wine-fonts.sh"
qo_wine_font_substitutes || exit 1
# The driver is chosen when the desktop starts: start it again.
wineserver -k
