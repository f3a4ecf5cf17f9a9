#!/usr/bin/env bash
# Runs a Windows program under Wine in the test prefix (see qoWinePrefix.sh):
# qoWineRun.sh <prefix dir> <program> [arguments]. Exit 77 (skipped) when Wine
# or the prefix is missing.
set -uo pipefail
prefix=$1
shift
[ -x /usr/lib/wine/wine64 ] || { echo "SKIPPED: wine64 is not installed"; exit 77; }
[ -f "$prefix/system.reg" ] || { echo "SKIPPED: no Wine prefix at $prefix (run the qo_wine_prefix test)"; exit 77; }
. "$(dirname "$0")/../../tools/windows/wine-loader.sh"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
# Wine ends lines with CR LF; the program's exit code is the verdict.
wine "$@" 2>&1 | tr -d '\r'
exit "${PIPESTATUS[0]}"
