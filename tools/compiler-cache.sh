# Sourced by the build scripts: compile through ccache when it is installed, so
# that a fresh clone (as CI makes) reuses the compilations of earlier builds.
# Sets QO_LAUNCHER to the cmake arguments that name the launcher.
QO_LAUNCHER=()
if command -v ccache >/dev/null; then
    # Paths relative to the source tree make clones in other folders hit the cache.
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
    QO_LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
