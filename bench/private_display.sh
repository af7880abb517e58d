# shellcheck shell=bash
# Sourced by the start-up benchmarks: a private Xvfb (1280 × 1024, 96 dpi, no window manager) for this script, in
# the scratch directory $tmp the script made; both go when the script exits. The script makes $tmp itself, so that
# each reads as whole on its own.
: "${tmp:?the script makes its scratch directory before it sources this}"
Xvfb -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -displayfd 3 3>"$tmp/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
for _ in $(seq 300); do [[ -s $tmp/display ]] && break; sleep 0.1; done
[[ -s $tmp/display ]] || { echo "$(basename "$0"): Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(cat "$tmp/display")"
export DISPLAY XDG_RUNTIME_DIR=$tmp LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
