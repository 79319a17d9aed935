#!/usr/bin/env bash
# usage: expand_wildcards_in_cmd.sh SORVANE_CONVERT_EXE EXAMPLES_DIR
# cmd.exe hands "data\*.csv" to the program as typed; the converter expands it and
# converts each point file, in sorted order.
set -euo pipefail
converter=$(winepath -w "$1")
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$examples/PreData.txt" .
mkdir data
for name in b.csv A.csv notes.txt; do cp "$examples/survey-points.csv" "data/$name"; done

printf '%s: 変換しました\n' 'data\A.csv' 'data\b.csv' > expected
wine cmd /c "$converter" 'data\*.csv' > printed
cmp expected printed || { echo "FAIL: printed $(cat printed)"; exit 1; }
[ -f data/A.dxf ] && [ -f data/b.dxf ] || { echo "FAIL: no drawings"; ls data; exit 1; }
echo "cmd.exe's data\\*.csv converted as data\\A.csv and data\\b.csv"
