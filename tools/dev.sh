#!/usr/bin/env bash
# Sets up a Debian machine, builds and runs: `tools/dev.sh demo` or `tools/dev.sh test`.
# Environment: BUILD_DIR (default build), QO_SANITIZE=ON for the sanitizer build,
# QO_WERROR=ON to fail on warnings (CI sets it).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
what=${1:-test}

install_packages() {
    local wanted=(build-essential cmake ninja-build pkg-config python3 googletest libgtest-dev libgmock-dev
                  libbenchmark-dev libfreetype-dev libfontconfig-dev libpng-dev zlib1g-dev libx11-dev
                  fonts-liberation fonts-dejavu-core
                  mingw-w64 mingw-w64-tools libz-mingw-w64-dev libwine-dev wine wine64 wine32:i386 xvfb xdotool)
    local missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing Debian packages (run as root to install): ${missing[*]}" >&2
        exit 1
    fi
    echo "installing: ${missing[*]}"
    # The 32-bit server is tested under 32-bit Wine.
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

build() {
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQO_SANITIZE="${QO_SANITIZE:-OFF}" -DQO_WERROR="${QO_WERROR:-OFF}" >/dev/null
    cmake --build "$BUILD_DIR" -j "$(nproc)"
}

install_packages
build
case "$what" in
    demo) "$BUILD_DIR/bin/qo-demo" "${@:2}" ;;
    test) ctest --test-dir "$BUILD_DIR" -j "$(nproc)" --output-on-failure ;;
    build) ;;
    *) echo "usage: tools/dev.sh demo|test|build" >&2; exit 2 ;;
esac
