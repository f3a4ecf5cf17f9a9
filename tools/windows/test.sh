#!/usr/bin/env bash
# The test programs built for Windows and run under Wine by ctest:
# tools/windows/test.sh [64|32] [build dir]. Prints SKIPPED and succeeds where
# mingw-w64 or Wine is missing, so that a machine without them passes.
set -uo pipefail
cd "$(dirname "$0")/../.."
bits=${1:-64}
dir=${2:-build-win$bits}
triple=$([ "$bits" = 32 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
skip() { echo "SKIPPED: Windows tests ($bits-bit): $*"; exit 0; }
command -v "$triple-g++-posix" >/dev/null || skip "mingw-w64 ($triple-g++-posix) is not installed"
[ -f "/usr/$triple/lib/libz.a" ] || skip "zlib for mingw-w64 (libz-mingw-w64-dev) is not installed"
[ -d /usr/src/googletest/googletest ] || skip "GoogleTest's sources (googletest) are not installed"
[ -x /usr/lib/wine/wine64 ] || skip "wine64 is not installed"
if [ "$bits" = 32 ]; then
    dpkg -s wine32:i386 >/dev/null 2>&1 || skip "32-bit Wine (wine32:i386) is not installed"
    . tools/windows/wine-loader.sh
    qo_wine_runs_32 || skip "this machine's kernel runs no 32-bit programs"
fi
tools/windows/build.sh "$bits" "$dir" || exit 1
ctest --test-dir "$dir" --output-on-failure
