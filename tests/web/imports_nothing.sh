#!/usr/bin/env bash
# The module must run with an empty import object: no WASI, no host functions, nothing.
set -euo pipefail
sections=$(wasm-objdump -x "$1")
grep -q '^Export\[' <<<"$sections" || { echo "no exports in $1"; exit 1; }
if grep -q '^Import\[' <<<"$sections"; then
  echo "$1 imports:"
  sed -n '/^Import\[/,/^[A-Z]/p' <<<"$sections"
  exit 1
fi
echo "$1 imports nothing; exports $(grep -c '^ - func' <<<"$sections") functions"
