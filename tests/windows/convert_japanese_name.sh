#!/usr/bin/env bash
# usage: convert_japanese_name.sh SORVANE_CONVERT_EXE EXAMPLES_DIR
set -euo pipefail
converter=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$examples/PreData.txt" .
cp "$examples/survey-points.csv" "測点（北）.csv"

# Pipes carry UTF-8 bytes, whatever the console's code page would be.
printf '%s: 変換しました\n' "測点（北）.csv" > expected
LC_ALL=C.UTF-8 wine "$converter" "測点（北）.csv" > printed
cmp expected printed || { echo "FAIL: printed $(od -c printed | head)"; exit 1; }

[ -f "測点（北）.dxf" ] || { echo "FAIL: no drawing named after the point file"; ls; exit 1; }
vertices=$(grep -c '^VERTEX' "測点（北）.dxf")
[ "$vertices" -eq 36 ] || { echo "FAIL: $vertices vertices"; exit 1; }
if grep -q $'\r\r' "測点（北）.dxf"; then echo "FAIL: doubled CR"; exit 1; fi
echo "converted 測点（北）.csv to 測点（北）.dxf"
