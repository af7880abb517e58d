#!/usr/bin/env bash
# Instructions that Kelvaro and the widget floor execute until their first window is mapped and until it is
# first drawn, counted by callgrind. Unlike timings they repeat to a fraction of a percent on a busy machine, so
# they say where start-up goes and whether a change helped. Prints both and the ratios.
# usage: bench/instructions.sh <build dir>
set -euo pipefail
build=${1:?build directory}
tmp=$(mktemp -d)
# shellcheck source=bench/private_display.sh
source "$(dirname "$0")/private_display.sh"

# Part 1 of the profile ends where the window is shown (mapped), part 2 with its first painting and flush.
count() {
  valgrind --tool=callgrind --callgrind-out-file="$tmp/$1.%p" --dump-before='QXcbWindow::show()' \
    --dump-after='QWidgetRepaintManager::paintAndFlush()' "$2" 2>"$tmp/$1.log" &
  local pid=$!
  # A part is written whole when its last line, the totals, is there.
  for _ in $(seq 1200); do grep -qs '^totals:' "$tmp/$1.$pid.2" && break; sleep 0.1; done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  grep -qs '^totals:' "$tmp/$1.$pid.2" || { echo "instructions.sh: $2 drew no window" >&2; exit 1; }
  local mapped drawn
  mapped=$(sed -n 's/^summary: //p' "$tmp/$1.$pid.1")
  drawn=$((mapped + $(sed -n 's/^summary: //p' "$tmp/$1.$pid.2")))
  echo "$mapped $drawn"
}
read -r km kd < <(count kelvaro "$build/app/kelvaro")
read -r fm fd < <(count widget_floor "$build/bench/widget_floor")
printf '%-13s %16s %16s\n' "" "to mapped" "to drawn" kelvaro "$km" "$kd" widget_floor "$fm" "$fd"
awk -v km="$km" -v kd="$kd" -v fm="$fm" -v fd="$fd" \
  'BEGIN { printf "kelvaro / widget_floor, instructions: mapped %.3f, drawn %.3f\n", km / fm, kd / fd }'
