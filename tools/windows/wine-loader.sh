# Sourced by the scripts that run Windows programs: `wine` here starts the
# loader this machine can run. Debian's own `wine` starts the 32-bit loader
# whenever 32-bit Wine is installed, which a kernel built without 32-bit
# support cannot execute; 64-bit programs then go to wine64 directly, and
# qo_wine_runs_32 tells the 32-bit suites to skip.
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    QO_WINE_32=1
else
    QO_WINE_32=0
fi

qo_wine_runs_32() { [ "$QO_WINE_32" = 1 ]; }

wine() {
    if qo_wine_runs_32; then
        command wine "$@"
    else
        WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"
    fi
}
