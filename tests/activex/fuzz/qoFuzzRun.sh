#!/usr/bin/env bash
# Runs a libFuzzer program for QO_FUZZ_SECONDS (default 60) with leak checking,
# keeping what it learns in CORPUS. Exit 77 (skipped) when the program was not
# built (it needs clang); a finding fails with the fuzzer's report and the
# crashing input beside the corpus.
#   qoFuzzRun.sh PROGRAM CORPUS
set -uo pipefail
program=$1 corpus=$2
seconds=${QO_FUZZ_SECONDS:-60}
if [ ! -x "$program" ]; then
    echo "SKIPPED: $program was not built (configure a clang build, see tests/activex/test.cmake)"
    exit 77
fi
mkdir -p "$corpus"
artifacts="$(dirname "$corpus")/$(basename "$corpus")-findings/"
mkdir -p "$artifacts"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -detect_leaks=1 -print_final_stats=1 \
    -error_exitcode=1 -timeout_exitcode=1 -artifact_prefix="$artifacts" "$corpus"
