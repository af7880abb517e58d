#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the program, its desktop entry and its icon land where desktops
# look for them, and the entry names exactly the command and icon that are installed; the sheet window's module
# lies where the program looks for it, exports only its plugin entry, and only it loads the print support; no
# binary searches for libraries outside the system's directories.
# Usage: install_layout.sh <build-dir> <main-window-icon> <sheet module, relative to the program's directory>
set -euo pipefail

build=$1 icon=$2 module=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

[[ -x $prefix/bin/kelvaro ]] || fail "bin/kelvaro is missing or not executable"
[[ -f $prefix/bin/$module ]] || fail "the sheet window's module is not at bin/$module"
[[ -f $build/app/$module ]] || fail "the sheet window's module is not at app/$module in the build tree"
# No binary may carry a library search path: an empty entry, as CMake pads a build tree's binary with, is the
# current directory, from which libraries would be picked up.
for binary in "$build/app/kelvaro" "$prefix/bin/kelvaro" "$prefix/bin/$module"; do
  paths=$(readelf -d "$binary" | grep -E 'R(UN)?PATH' || true)
  [[ -z $paths ]] || fail "$binary has a library search path: $paths"
done
# The print support is loaded with the sheet, not before the first window.
! readelf -d "$prefix/bin/kelvaro" | grep -q PrintSupport || fail "bin/kelvaro links the print support"
readelf -d "$prefix/bin/$module" | grep -q PrintSupport || fail "the sheet module does not link the print support"
# The module exports what the toolkit's plugin loader looks up and nothing else: its copy of the program's code
# must not stand in for the program's own.
exports=$(nm -D --defined-only "$prefix/bin/$module" | awk '{ print $3 }' | sort | paste -sd ' ')
[[ $exports == "qt_plugin_instance qt_plugin_query_metadata_v2" ]] || fail "the sheet module exports $exports"
entry=$prefix/share/applications/kelvaro.desktop
[[ -f $entry ]] || fail "share/applications/kelvaro.desktop is missing"
installed_icon=$prefix/share/icons/hicolor/scalable/apps/kelvaro.svg
cmp -s "$installed_icon" "$icon" || fail "the program icon is not the main window's icon"

out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $out"
[[ -z $out ]] || fail "desktop-file-validate: $out"

key() { sed -n "s/^$1=//p" "$entry"; }
[[ $(key Exec) == "kelvaro %f" ]] || fail "Exec is \"$(key Exec)\", not the installed command with one file"
mime=$prefix/share/mime/packages/kelvaro.xml
[[ -f $mime ]] || fail "share/mime/packages/kelvaro.xml is missing"
grep -q '<glob pattern="\*.kelvaro"/>' "$mime" || fail "the MIME type does not claim *.kelvaro"
[[ $(key MimeType) == "application/x-kelvaro;" ]] || fail "the desktop entry does not open application/x-kelvaro"
grep -q 'type="application/x-kelvaro"' "$mime" || fail "the MIME type is not application/x-kelvaro"
[[ $(key Icon) == kelvaro ]] || fail "Icon is \"$(key Icon)\", not the installed icon's name"
[[ -n $(key 'Name\[zh_CN\]') && -n $(key 'Comment\[zh_CN\]') ]] || fail "no Chinese name or comment"
[[ -n $(key Name) ]] || fail "no fallback name"
echo "ok: bin/kelvaro, its sheet module, kelvaro.desktop and kelvaro.svg installed and consistent"
