#!/usr/bin/env bash
# usage: check_program_resources.sh PROGRAM_EXE GUI|CONSOLE VERSION stripped|unstripped OBJDUMP WINDRES
# A Windows program as it ships: one file that needs only the DLLs every Windows has,
# without symbols or debug information in a release build, with its manifest and
# version resource, and for the window its icon and the visual styles.
set -euo pipefail
program=$1
kind=$2
version=$3
stripping=$4
objdump=$5
windres=$6

fail() { echo "FAIL: $program: $*"; exit 1; }
headers=$("$objdump" -p "$program")

while read -r dll; do
  case "${dll,,}" in
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | comdlg32.dll | shell32.dll | \
    shlwapi.dll | ole32.dll | oleaut32.dll | advapi32.dll | uxtheme.dll | msvcrt.dll | \
    api-ms-win-*) ;;
    *) fail "needs $dll, which is no part of Windows" ;;
  esac
done < <(sed -n 's/^\tDLL Name: //p' <<<"$headers")

subsystem=$([ "$kind" = GUI ] && echo "Windows GUI" || echo "Windows CUI")
grep -q "^Subsystem.*($subsystem)" <<<"$headers" || fail "is not a $subsystem program"

if [ "$stripping" = stripped ]; then
  "$objdump" -h "$program" | grep -q '\.debug_' && fail "carries debug information"
  "$objdump" -t "$program" | grep -q 'no symbols' || fail "carries its symbols"
fi

# The resources as a resource script; text in the manifest has its quotes doubled.
resources=$("$windres" --input "$program" --output-format rc)
expect() {
  grep -qF -- "$1" <<<"$resources" || fail "has no $2"
}
expect '<dpiAwareness xmlns=""http://schemas.microsoft.com/SMI/2016/WindowsSettings"">PerMonitorV2<' \
  "per-monitor-v2 DPI awareness"
expect '<longPathAware xmlns=""http://schemas.microsoft.com/SMI/2016/WindowsSettings"">true<' \
  "long path awareness"
expect '<supportedOS Id=""{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}""/>' "Windows 10 and 11 as supported systems"
expect "FILEVERSION ${version//./, }, 0" "numeric file version $version"
expect "VALUE \"FileVersion\", \"$version\"" "file version text $version"
expect "VALUE \"ProductVersion\", \"$version\"" "product version text $version"
expect 'VALUE "ProductName", "Sorvane"' "product name"
grep -qE 'VALUE "LegalCopyright", "Copyright [^"]+"' <<<"$resources" || fail "has no copyright"
grep -qE 'VALUE "FileDescription", "[^"]+"' <<<"$resources" || fail "has no file description"
if [ "$kind" = GUI ]; then
  expect 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""' "Common Controls 6"
  grep -q '^/\* Type: group icon' <<<"$resources" || fail "has no icon"
fi
echo "$program: system DLLs only, $stripping, manifest and version $version"
