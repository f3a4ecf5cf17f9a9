#!/usr/bin/env bash
# The Windows server under Wine, on a fresh prefix: cross-build, regsvr32, the
# type library host, regsvr32 /u, and the host again to see the entries gone;
# then the same through DllInstall for the current user.
# Usage: qoWineTest.sh <work dir> [64|32]. Exit 77 (skipped) when the tools are missing.
# The server is built in the source tree's build-win64 or build-win32, where the
# Windows test programs are built too, so that the library is compiled once.
# Wine's tools may exit 0 on failure: every step is verified on its own, and
# the closing "N passed, M failed" line is the verdict.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
bits=${2:-64}
triple=$([ "$bits" = 32 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)

skip() { echo "SKIPPED: $*"; exit 77; }
command -v "$triple-g++-posix" >/dev/null || skip "mingw-w64 ($triple-g++-posix) is not installed"
command -v x86_64-w64-mingw32-widl >/dev/null || skip "widl (mingw-w64-tools) is not installed"
[ -f /usr/include/wine/wine/windows/oaidl.idl ] || skip "the standard IDL files (libwine-dev) are not installed"
[ -x /usr/lib/wine/wine64 ] || skip "wine64 is not installed"
if [ "$bits" = 32 ]; then
    dpkg -s wine32:i386 >/dev/null 2>&1 || skip "32-bit Wine (wine32:i386) is not installed"
fi

. "$root/tools/windows/wine-loader.sh"

mkdir -p "$work"
work=$(cd "$work" && pwd)
build=$root/build-win$bits
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX=$work/prefix
unset DISPLAY
rm -rf "$WINEPREFIX"

passed=0
failed=0
step() {
    local name=$1
    shift
    if "$@" >"$work/$name.log" 2>&1; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $name"
        tr -d '\r' <"$work/$name.log" | tail -20
    fi
}
# The host passes only with rc 0 and its own closing line saying no failures.
host() {
    local out
    out=$(wine "$build/qoTypeLibHost.exe" "$@" 2>&1 | tr -d '\r')
    local rc=$?
    echo "$out"
    [ $rc -eq 0 ] && echo "$out" | tail -1 | grep -qE '^[0-9]+ passed, 0 failed$'
}
if [ "$bits" = 32 ]; then
    regsvr32() { wine 'C:\windows\syswow64\regsvr32.exe' "$@"; }
else
    regsvr32() { /usr/lib/wine/wine64 regsvr32 "$@"; }
fi

step build "$root/tools/windows/build.sh" "$bits" "$build" qoChartixControl qoTypeLibHost
[ $failed -eq 0 ] || { echo "0 passed, 1 failed"; exit 1; }
# Built all the same: the 32-bit build checks what only a 32-bit target sees.
[ "$bits" = 64 ] || qo_wine_runs_32 || skip "built; this machine's kernel runs no 32-bit programs"
step wineboot wine wineboot --init
ocx=$(wine winepath.exe -w "$build/qoChartixControl.ocx" 2>/dev/null | tr -d '\r')
step register regsvr32 /s "$ocx"
step host-registered host
step unregister regsvr32 /u /s "$ocx"
step host-unregistered host --unregistered
step install-user regsvr32 /s /n /i:user "$ocx"
step host-user host --user
step uninstall-user regsvr32 /u /s /n /i:user "$ocx"
step host-user-removed host --unregistered
wineserver -k >/dev/null 2>&1
rm -rf "$WINEPREFIX"
echo "wine $bits-bit: $passed passed, $failed failed"
[ $failed -eq 0 ]
