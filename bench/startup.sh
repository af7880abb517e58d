#!/usr/bin/env bash
# Start-up time (process start until its first window is mapped, and until it is first drawn) and idle resident
# memory of Kelvaro and of the toolkit's floors, alternating, in a private Xvfb. The floor Kelvaro is held to is
# widget_floor: the main window's controls, captions, font and style in a bare Qt program. Two more floors show
# what the toolkit itself costs: an empty window of the same size, and that window with one line of Chinese.
# Prints medians, the ratios against widget_floor, and the load average before and after.
# usage: bench/startup.sh <build dir> [runs]
set -euo pipefail
build=${1:?build directory}
runs=${2:-20}
probe=$build/bench/launch_probe
tmp=$(mktemp -d)
# shellcheck source=bench/private_display.sh
source "$(dirname "$0")/private_display.sh"

programs=(kelvaro widget_floor floor_text floor)
run() {
  case $1 in
    kelvaro) "$probe" "$build/app/kelvaro" ;;
    widget_floor) "$probe" "$build/bench/widget_floor" ;;
    floor_text) "$probe" "$build/bench/toolkit_floor" --text ;;
    floor) "$probe" "$build/bench/toolkit_floor" ;;
  esac
}
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
# One unmeasured run of each warms the page cache and the font cache.
for p in "${programs[@]}"; do run "$p" >/dev/null; done
for _ in $(seq "$runs"); do
  for p in "${programs[@]}"; do run "$p" >>"$tmp/$p"; done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
declare -A mapped drawn rss
printf '%-13s %10s %10s %14s\n' "" "mapped ms" "drawn ms" "idle RSS KiB"
for p in "${programs[@]}"; do
  mapped[$p]=$(cut -d' ' -f1 "$tmp/$p" | median)
  drawn[$p]=$(cut -d' ' -f2 "$tmp/$p" | median)
  rss[$p]=$(cut -d' ' -f3 "$tmp/$p" | median)
  printf '%-13s %10s %10s %14s\n' "$p" "${mapped[$p]}" "${drawn[$p]}" "${rss[$p]}"
done
awk -v m="${mapped[kelvaro]}" -v mf="${mapped[widget_floor]}" -v d="${drawn[kelvaro]}" -v df="${drawn[widget_floor]}" \
  -v r="${rss[kelvaro]}" -v rf="${rss[widget_floor]}" 'BEGIN {
    printf "kelvaro / widget_floor: mapped %.2f (target <= 1.05), drawn %.2f (target <= 1.02), idle memory %.2f (target <= 1.00)\n",
      m / mf, d / df, r / rf }'
echo "medians of $runs alternating runs each; load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
