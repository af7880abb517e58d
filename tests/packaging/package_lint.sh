#!/usr/bin/env bash
# Makes the .deb from this build tree with the project's own CPack settings and holds it to Debian's rules:
# lintian reports no error and no warning, the files that `man`, software centres and Debian look for are
# in it, and each of them names the package's own version (a release that forgets one of them fails here).
# Usage: package_lint.sh <build-dir> <lintian> <appstreamcli>
set -euo pipefail

build=$1 lintian=$2 appstreamcli=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# CPack strips the program, so a Debug tree gives the same kind of package as a release build. A
# group-writable umask, as many machines have, must not leave group-writable directories in the package.
umask 002
out=$(cpack --config "$build/CPackConfig.cmake" -B "$work" 2>&1) || fail "cpack: $out"
debs=("$work"/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made no single .deb: $out"
deb=${debs[0]}

# lintian's exit status alone would pass warnings; its complaint about running as root goes to stderr.
status=0
report=$("$lintian" --fail-on error,warning "$deb" 2>"$work/lintian.err") || status=$?
[[ -n $report ]] && echo "$report"
grep -q '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"
((status == 0)) || fail "lintian exited with $status: $(cat "$work/lintian.err")"

version=$(dpkg-deb -f "$deb" Version)
dpkg-deb -x "$deb" "$work/root"

changelog_version() { zcat "$1" | sed -n '1s/^kelvaro (\([^)]*\)) .*/\1/p'; }
manpage_version() { zcat "$1" | sed -n 's/^\.TH KELVARO 1 [^ ]* "Kelvaro \([^"]*\)".*/\1/p'; }
metainfo_version() { sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$1" | head -n 1; }

# path in the package | what reads the version it names
rows=(
  "usr/share/doc/kelvaro/changelog.gz|changelog_version"
  "usr/share/man/man1/kelvaro.1.gz|manpage_version"
  "usr/share/metainfo/org.kelvaro.kelvaro.metainfo.xml|metainfo_version"
)
for row in "${rows[@]}"; do
  IFS='|' read -r path reader <<<"$row"
  [[ -f $work/root/$path ]] || fail "$path is not in the package"
  named=$("$reader" "$work/root/$path")
  [[ $named == "$version" ]] || fail "$path names version \"$named\", the package is $version"
done

metainfo=$work/root/usr/share/metainfo/org.kelvaro.kelvaro.metainfo.xml
out=$("$appstreamcli" validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
# A software centre starts the program through the desktop entry that the metainfo names.
launchable=$(sed -n 's/.*<launchable type="desktop-id">\([^<]*\)<.*/\1/p' "$metainfo")
[[ -f $work/root/usr/share/applications/$launchable ]] || fail "launchable \"$launchable\" is not installed"

echo "ok: $(basename "$deb"): lintian clean, metainfo valid, version $version throughout"
