#!/usr/bin/env bash
# Sets up a Debian machine, builds and runs:
#   tools/dev.sh demo [demo options]   builds the demo only and runs it (--help lists its options)
#   tools/dev.sh test [ctest options]  builds everything and runs every test
#   tools/dev.sh threads               builds and runs the test programs that run worker threads
#   tools/dev.sh build                 builds everything
# Environment: BUILD_DIR (default build), QO_SANITIZE=ON for AddressSanitizer and
# UndefinedBehaviorSanitizer or QO_SANITIZE=thread for ThreadSanitizer,
# QO_WERROR=ON to fail on warnings (CI sets it).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
what=${1:-test}

install_packages() {
    local wanted=(build-essential cmake ninja-build pkg-config python3 googletest libgtest-dev libgmock-dev ccache
                  libbenchmark-dev libfreetype-dev libfontconfig-dev libpng-dev zlib1g-dev libx11-dev
                  fonts-liberation fonts-dejavu-core qpdf
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
    echo "== installing ${#missing[@]} Debian packages (the first time takes a few minutes): ${missing[*]}"
    # The 32-bit server is tested under 32-bit Wine.
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    # One line per download, unpack and set-up step, without progress bars.
    apt-get -q update
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
    echo "== installed"
}

# build [targets...]: all targets when none are named.
build() {
    source tools/compiler-cache.sh
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${QO_LAUNCHER[@]}" \
        -DQO_SANITIZE="${QO_SANITIZE:-OFF}" -DQO_WERROR="${QO_WERROR:-OFF}" >/dev/null
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "$BUILD_DIR" -j "$(nproc)" "${targets[@]}"
}

case "$what" in
    demo | test | threads | build) ;;
    *) echo "usage: tools/dev.sh demo|test|threads|build" >&2; exit 2 ;;
esac
install_packages
case "$what" in
    demo)
        build qo-demo
        "$BUILD_DIR/bin/qo-demo" "${@:2}"
        ;;
    test)
        build
        ctest --test-dir "$BUILD_DIR" -j "$(nproc)" --output-on-failure "${@:2}"
        ;;
    threads)
        build qo_threaded_tests
        ctest --test-dir "$BUILD_DIR" -L threads -j "$(nproc)" --output-on-failure
        ;;
    build) build ;;
esac
