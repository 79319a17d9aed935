#!/usr/bin/env bash
# usage: installer_round_trip.sh INSTALLER CPACK_CONFIG VERSION EXAMPLES_DIR [WINDOW_EXE]
# The installer as an administrator uses it, in a Windows of its own: an older version
# installed silently, this one over it, everything in place and working, then removed
# silently without a trace. WINDOW_EXE names the window program when the installer
# holds one.
set -euo pipefail
installer=$1
cpack_config=$2
version=$3
examples=$4
window=${5:-}

fail() { echo "FAIL: $*"; exit 1; }
[ -f "$installer" ] || fail "no $installer: cmake --build --preset windows --target package makes it"

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wineboot --init >/dev/null 2>&1
drive_c="$WINEPREFIX/drive_c"
folder="$drive_c/Program Files/Sorvane"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# What the installer may touch, so that its removal can be seen to leave nothing.
state() {
  find "$drive_c/Program Files" "$drive_c/ProgramData" "$drive_c/users" | sort
  wine reg query 'HKLM\Software' 2>/dev/null | tr -d '\r' | sort
}
# Each installed product called Sorvane: its registry key, then its version.
sorvane_entries() {
  wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY/ { key = $0 }
    $1 == "DisplayName" && $3 == "Sorvane" { name[key] = 1 }
    $1 == "DisplayVersion" { shown[key] = $3 }
    END { for (k in name) print k, shown[k] }'
}
before=$(state)

# The same installer as an older version, to be upgraded in place.
cpack --config "$cpack_config" -B "$work/older" -D CPACK_PACKAGE_VERSION=0.9.0 >/dev/null
older=$(ls "$work"/older/*.msi)
wine msiexec /i "$(winepath -w "$older")" /qn || fail "the older version did not install"
wine msiexec /i "$(winepath -w "$installer")" /qn || fail "msiexec /i /qn failed"

entries=$(sorvane_entries)
[ "$(wc -l <<<"$entries")" -eq 1 ] || fail "uninstall entries after the upgrade: $entries"
[ "${entries##* }" = "$version" ] || fail "the entry shows version ${entries##* }, not $version"

for file in sorvane-convert.exe PreData.txt PreData-R2000.txt PreData-R2018.txt README.md README.ja.md $window; do
  [ -f "$folder/$file" ] || fail "$file is not in Program Files\\Sorvane"
done

if [ -n "$window" ]; then
  shortcut=$(find "$drive_c" -name Sorvane.lnk)
  [ -n "$shortcut" ] || fail "no Start menu shortcut"
  link=$(lnkinfo "$shortcut" | tr -d '\r')
  grep -qF "Local path			: C:\\Program Files\\Sorvane\\$window" <<<"$link" ||
    fail "the shortcut does not start the window: $link"
  # The window looks the template up in the folder it starts in.
  grep -qE '^	Working directory		: C:\\Program Files\\Sorvane\\?$' <<<"$link" ||
    fail "the shortcut does not start in the templates' folder: $link"
fi

# The installed converter, started where the window starts, finds the template there.
mkdir "$work/points"
cp "$examples/survey-points.csv" "$work/points/"
points=$(winepath -w "$work/points/survey-points.csv")
printed=$(cd "$folder" && wine ./sorvane-convert.exe "$points")
[ "$printed" = "$points: 変換しました" ] || fail "the installed converter printed: $printed"
vertices=$(grep -c '^VERTEX' "$work/points/survey-points.dxf")
[ "$vertices" -eq 36 ] || fail "the installed converter wrote $vertices vertices"

product=$(sorvane_entries)
product=${product%% *}
wine msiexec /x "${product##*\\}" /qn || fail "msiexec /x /qn failed"
after=$(state)
[ "$before" = "$after" ] || fail "left behind: $(diff <(echo "$before") <(echo "$after") || true)"
echo "installed $version over 0.9.0, converted with it, and removed it"
