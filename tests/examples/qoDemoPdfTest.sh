#!/usr/bin/env bash
# The demo's printed project plans, in tree and in grid mode, are PDFs that a
# standard checker reads without complaint and with the pages the demo reports.
# Usage: qoDemoPdfTest.sh <qo-demo> <work dir>. Exit 77 (skipped) without qpdf.
set -euo pipefail
demo=$1
work=$2
command -v qpdf >/dev/null || { echo "SKIPPED: qpdf is not installed"; exit 77; }
rm -rf "$work"
mkdir -p "$work"
cd "$work"
QO_HEADLESS=1 "$demo" --no-window >demo.log
for mode in tree grid; do
    pdf=out/qo-demo-print-$mode.pdf
    qpdf --check "$pdf" >"check-$mode.log" || { cat "check-$mode.log"; exit 1; }
    pages=$(qpdf --show-npages "$pdf")
    pngs=$(find out -name "qo-demo-print-$mode-*.png" | wc -l)
    [ "$pages" -gt 1 ] && [ "$pages" -eq "$pngs" ] || { echo "$pdf: $pages pages, $pngs PNG pages"; exit 1; }
    echo "$pdf: $pages pages, checked"
done
