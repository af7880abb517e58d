# Sourced by the end-to-end tests: a private Xvfb, the program under test, and helpers that act as a person
# would (real pointer and key events through XTEST). Xvfb has no window manager: windows are reached by
# clicking into them, never by activating them.

set -euo pipefail

E2E_TMP=$(mktemp -d)
XVFB_PID=
APP_PID=

e2e_cleanup() {
  [[ -n $APP_PID ]] && kill "$APP_PID" 2>/dev/null || true
  [[ -n $XVFB_PID ]] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

start_x() {
  Xvfb -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -displayfd 3 3>"$E2E_TMP/display" 2>"$E2E_TMP/xvfb.log" &
  XVFB_PID=$!
  for _ in $(seq 100); do [[ -s $E2E_TMP/display ]] && break; sleep 0.1; done
  [[ -s $E2E_TMP/display ]] || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
  export DISPLAY=":$(cat "$E2E_TMP/display")"
  export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
  mkdir -m 700 -p "$XDG_RUNTIME_DIR"
}

start_app() {
  QT_QPA_PLATFORM=xcb LC_ALL=${E2E_LOCALE:-C.UTF-8} "$@" >"$E2E_TMP/app.log" 2>&1 &
  APP_PID=$!
}

# Prints the id of the visible window with exactly this caption, waiting for it to appear.
window_named() {
  local id
  id=$(timeout 15 xdotool search --sync --onlyvisible --name "^$1\$" | head -1) || fail "no window \"$1\""
  echo "$id"
}

twips() { echo $((($1 + 7) / 15)); }

# click <window> <x> <y> [button]: pixel coordinates inside the window's client area.
click() {
  xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"
  sleep 0.2
}

# click_control <window> <container-left> <container-top> <left> <top> <width> <height> (twips, as the
# design table gives them): clicks the middle of the control.
click_control() {
  local w=$1 x y
  x=$(($(twips "$2") + $(twips "$4") + $(twips "$6") / 2))
  y=$(($(twips "$3") + $(twips "$5") + $(twips "$7") / 2))
  click "$w" "$x" "$y" "${8:-1}"
}

type_text() {
  xdotool type --delay 30 "$1"
  sleep 0.1
}

# The text of a result field, copied by its context menu into the clipboard.
copied_result() {
  printf '' | xclip -selection clipboard -i >/dev/null 2>&1  # detached: it serves the selection until replaced
  click_control "$@" 3
  xdotool key Down Return
  sleep 0.3
  xclip -selection clipboard -o 2>/dev/null || true
}

# The whole text of an input box, selected and copied with the keyboard.
copied_text() {
  printf '' | xclip -selection clipboard -i >/dev/null 2>&1  # detached: it serves the selection until replaced
  click_control "$@"
  xdotool key ctrl+a ctrl+c
  sleep 0.3
  xclip -selection clipboard -o 2>/dev/null || true
}

expect_eq() {
  [[ "$2" == "$3" ]] || fail "$1: got \"$2\", want \"$3\""
  echo "ok: $1 = $3"
}

wait_app_exit() {
  for _ in $(seq 100); do
    kill -0 "$APP_PID" 2>/dev/null || { wait "$APP_PID" || fail "exit status $?: $(tail -40 "$E2E_TMP/app.log")"; APP_PID=; return 0; }
    sleep 0.1
  done
  fail "the program did not exit: $(cat "$E2E_TMP/app.log")"
}

expect_running() {
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended early: $(cat "$E2E_TMP/app.log")"
}

# The number of windows with exactly this caption that are shown.
count_windows() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l
}

# Waits until no window with this caption exists any more, shown or hidden: a closed window is destroyed.
expect_window_gone() {
  for _ in $(seq 50); do
    xdotool search --name "^$1\$" >/dev/null 2>&1 || { echo "ok: \"$1\" is gone"; return 0; }
    sleep 0.1
  done
  fail "the window \"$1\" is still there"
}

# close_box <tool> <window>: what a window manager's close box does, a WM_DELETE_WINDOW message.
close_box() {
  "$1" "$2" || fail "could not send WM_DELETE_WINDOW to $2"
  sleep 0.2
}
