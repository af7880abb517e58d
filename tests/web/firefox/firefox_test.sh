#!/usr/bin/env bash
# The page's checks in Firefox ESR: the desktop's sheets of the worked examples first (in a point and a comma
# locale), which the page's printed sheets must match; then the checks themselves (firefox_test.mjs).
# firefox_test.sh <driver folder> <kelvaro.html> <examples.json> <kelvaro_screenshots> <work folder>
set -euo pipefail
driver=$1 page=$2 examples=$3 screenshots=$4 work=$5
rm -rf "$work"
mkdir -p "$work/pdf" "$work/shots" "$work/shots-comma" "$work/point" "$work/comma"
QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$screenshots" "$work/shots" "$work/point" >/dev/null
QT_QPA_PLATFORM=offscreen LC_ALL=de_DE.UTF-8 "$screenshots" "$work/shots-comma" "$work/comma" >/dev/null
# Firefox keeps its profile and caches under HOME: a fresh one per run.
HOME="$work/home" node "$driver/firefox_test.mjs" "$page" "$examples" "$work/point" "$work/comma" "$work/pdf"
