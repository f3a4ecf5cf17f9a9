#!/usr/bin/env bash
# Cross-builds for Windows with mingw-w64: tools/windows/build.sh [64|32] [build dir] [targets...]
# Output: <build dir>/qoChartixControl.ocx, the type library host
# qoTypeLibHost.exe, and in <build dir>/bin the test programs and qo-demo.exe
# (all of them unless targets are named).
set -euo pipefail
cd "$(dirname "$0")/../.."
bits=${1:-64}
case "$bits" in
    64) toolchain=cmake/toolchain-mingw-x86_64.cmake ;;
    32) toolchain=cmake/toolchain-mingw-i686.cmake ;;
    *) echo "usage: tools/windows/build.sh [64|32] [build dir] [targets...]" >&2; exit 2 ;;
esac
dir=${2:-build-win$bits}
shift $(($# < 2 ? $# : 2))
targets=()
for target in "$@"; do targets+=(--target "$target"); done
source tools/compiler-cache.sh
cmake -S cmake/windows -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$PWD/$toolchain" \
    "${QO_LAUNCHER[@]}" \
    -DQO_WERROR="${QO_WERROR:-OFF}" >/dev/null
cmake --build "$dir" -j "${QO_JOBS:-2}" "${targets[@]}"
