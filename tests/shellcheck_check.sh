#!/usr/bin/env bash
# Every shell script the repository tracks is shellcheck clean, whatever the finding's severity: the .sh files and
# the files without an extension that a shell runs, found by their first line. Run from the repository's top, where
# the scripts' `shellcheck source=` paths start.
# Usage: shellcheck_check.sh <shellcheck>
set -euo pipefail

shellcheck=$1
scripts=()
while IFS= read -r -d '' file; do
  [[ -f $file ]] || continue
  if [[ $file == *.sh ]]; then
    scripts+=("$file")
  elif [[ ${file##*/} != *.* ]] && head -n 1 "$file" | grep -qE '^#!.*[/ ](ba|da|k)?sh( |$)'; then
    scripts+=("$file")
  fi
done < <(git ls-files -z)

# A listing that found nothing would pass without checking anything.
((${#scripts[@]} > 0)) || { echo "no shell scripts found: is this the repository's top?" >&2; exit 1; }
"$shellcheck" --external-sources --severity=style "${scripts[@]}"
echo "ok: ${#scripts[@]} shell scripts shellcheck clean"
