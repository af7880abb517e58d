#!/usr/bin/env bash
# Start-up time (process start until its first window is mapped, and until it is first drawn) and idle resident
# memory of Kelvaro and of the toolkit's floor, alternating, in a private Xvfb. Two floors: an empty window of
# the same size, and the same window with one line of Chinese in Kelvaro's font. Prints medians and ratios.
# usage: bench/startup.sh <build dir> [runs]
set -euo pipefail
build=${1:?build directory}
runs=${2:-15}
probe=$build/bench/launch_probe
tmp=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT

Xvfb -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -displayfd 3 3>"$tmp/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s $tmp/display ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$tmp/display")" XDG_RUNTIME_DIR=$tmp LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb

programs=(kelvaro floor floor_text)
run() {
  case $1 in
    kelvaro) "$probe" "$build/app/kelvaro" ;;
    floor) "$probe" "$build/bench/toolkit_floor" ;;
    floor_text) "$probe" "$build/bench/toolkit_floor" --text ;;
  esac
}
# One unmeasured run of each warms the page cache and the font cache.
for p in "${programs[@]}"; do run "$p" >/dev/null; done
for _ in $(seq "$runs"); do
  for p in "${programs[@]}"; do run "$p" >>"$tmp/$p"; done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
declare -A mapped drawn rss
printf '%-12s %10s %10s %14s\n' "" "mapped ms" "drawn ms" "idle RSS KiB"
for p in "${programs[@]}"; do
  mapped[$p]=$(cut -d' ' -f1 "$tmp/$p" | median)
  drawn[$p]=$(cut -d' ' -f2 "$tmp/$p" | median)
  rss[$p]=$(cut -d' ' -f3 "$tmp/$p" | median)
  printf '%-12s %10s %10s %14s\n' "$p" "${mapped[$p]}" "${drawn[$p]}" "${rss[$p]}"
done
for floor in floor floor_text; do
  awk -v a="${drawn[kelvaro]}" -v b="${drawn[$floor]}" -v c="${rss[kelvaro]}" -v d="${rss[$floor]}" -v f="$floor" \
    'BEGIN { printf "kelvaro / %-10s start-up (drawn) %.2f (target <= 1.20), idle memory %.2f (target <= 1.10)\n", f, a / b, c / d }'
done
echo "medians of $runs runs each"
