#!/usr/bin/env bash
# Configures a tree in which Qt cannot be found, builds the page there, and compares it with the page given.
# Usage: page_without_qt.sh <source dir> <build dir> <kelvaro.html to compare with>
set -euo pipefail
source_dir=$1 build_dir=$2 expected=$3
env --unset=CMAKE_PREFIX_PATH cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
  -DKELVARO_BUILD_TESTS=OFF >"$build_dir.log" 2>&1 || { cat "$build_dir.log"; exit 1; }
grep -q 'KELVARO_WITH_UI:BOOL=OFF' "$build_dir/CMakeCache.txt" || { echo "the tree was configured with the windows"; exit 1; }
cmake --build "$build_dir" --target kelvaro_web
cmp "$build_dir/web/kelvaro.html" "$expected"
echo "$build_dir/web/kelvaro.html is $expected, byte for byte"
