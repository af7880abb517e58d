#!/usr/bin/env bash
# The program driven through the accessibility bus, as a screen reader would: a private D-Bus session with the
# AT-SPI bus and registry, an X server, and accessibility_e2e.py asking the questions.
source "$(dirname "$0")/x11_session.sh"

start_x
here=$(cd "$(dirname "$0")" && pwd)
export E2E_APP=$1 E2E_TMP
dbus-run-session -- bash -c '
  set -euo pipefail
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  launcher=$!
  sleep 0.5
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 "$E2E_APP" >"$E2E_TMP/app.log" 2>&1 &
  app=$!
  status=0
  /usr/bin/python3 "'"$here"'/accessibility_e2e.py" || status=$?
  for _ in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
  if kill -0 $app 2>/dev/null; then echo "FAIL: the program did not exit" >&2; kill $app; status=1; fi
  kill $launcher 2>/dev/null || true
  exit $status
' 2> >(grep -v -e "dbus-daemon" -e "SpiRegistry" >&2)
echo "ok: the program ended with its last window"
