#!/usr/bin/env bash
# usage: installer_round_trip.sh SETUP_EXE MSI CPACK_CONFIG VERSION EXAMPLES_DIR WINDOW_EXE
# Both installers as Windows users and administrators use them, each in a Windows of its
# own: an older version installed silently, this one over it, everything in place and
# working from a new cmd.exe, then removed silently without a trace, PATH as it was.
set -euo pipefail
setup=$1
msi=$2
cpack_config=$3
version=$4
examples=$5
window=$6

fail() { echo "FAIL: $*"; exit 1; }
for installer in "$setup" "$msi"; do
  [ -f "$installer" ] || fail "no $installer: cmake --build --preset windows --target package makes it"
done

work=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
trap 'WINEPREFIX="$work/setup" wineserver -k 2>/dev/null || true
      WINEPREFIX="$work/msi" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
environment_key='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'

# The same installers as an older version, to be upgraded in place.
cpack --config "$cpack_config" -B "$work/older" -D CPACK_PACKAGE_VERSION=0.9.0 >/dev/null

new_windows() {
  export WINEPREFIX="$work/$1"
  wineboot --init >/dev/null 2>&1
  drive_c="$WINEPREFIX/drive_c"
  folder="$drive_c/Program Files/Sorvane"
}
# What the installer may touch, so that its removal can be seen to leave nothing; PATH
# byte for byte. The uninstaller's copy of itself in the temporary folder, which it
# runs from so that it can delete the original, is gone with the next restart.
state() {
  find "$drive_c/Program Files" "$drive_c/ProgramData" "$drive_c/users" | grep -v '/Temp/~nsu' | sort
  wine reg query 'HKLM\Software' 2>/dev/null | tr -d '\r' | sort
  wine reg query "$environment_key" /v PATH | od -c
}
# Each installed product called Sorvane: its registry key, then its version.
sorvane_entries() {
  wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY/ { key = $0 }
    $1 == "DisplayName" && $3 == "Sorvane" { name[key] = 1 }
    $1 == "DisplayVersion" { shown[key] = $3 }
    END { for (k in name) print k, shown[k] }'
}
# One value of the single Sorvane entry.
entry_value() {
  local entry
  entry=$(sorvane_entries)
  wine reg query "${entry%% *}" /v "$1" | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}
installed_as_expected() {
  local entries
  entries=$(sorvane_entries)
  [ "$(wc -l <<<"$entries")" -eq 1 ] || fail "$1: uninstall entries after the upgrade: $entries"
  [ "${entries##* }" = "$version" ] || fail "$1: the entry shows version ${entries##* }, not $version"
  [ "$(entry_value InstallLocation)" = 'C:\Program Files\Sorvane' ] ||
    [ "$(entry_value InstallLocation)" = 'C:\Program Files\Sorvane\' ] ||
    fail "$1: the entry's install location is '$(entry_value InstallLocation)'"
  [ "$(entry_value Publisher)" = "The Sorvane developers" ] || fail "$1: no publisher"

  for file in sorvane-convert.exe PreData.txt PreData-R2000.txt PreData-R2018.txt README.md README.ja.md "$window"; do
    [ -f "$folder/$file" ] || fail "$1: $file is not in Program Files\\Sorvane"
  done
  local shortcut link
  shortcut=$(find "$drive_c" -name Sorvane.lnk)
  [ -n "$shortcut" ] || fail "$1: no Start menu shortcut"
  link=$(lnkinfo "$shortcut" | tr -d '\r')
  grep -qF "Local path			: C:\\Program Files\\Sorvane\\$window" <<<"$link" ||
    fail "$1: the shortcut does not start the window: $link"
  # The window looks the template up in the folder it starts in.
  grep -qE '^	Working directory		: C:\\Program Files\\Sorvane\\?$' <<<"$link" ||
    fail "$1: the shortcut does not start in the templates' folder: $link"
  # The header's show command (lnkinfo 20181227 reads another field for it).
  [ "$(od -An -tu4 -j60 -N4 "$shortcut" | tr -d ' ')" = 1 ] ||
    fail "$1: the shortcut does not open a normal window"

  # Found on PATH by a new cmd.exe, anywhere; from a folder without a template it takes
  # the installed one.
  [ "$(wine cmd /c 'cd /d C:\ && sorvane-convert --version' | tr -d '\r')" = "sorvane-convert $version" ] ||
    fail "$1: sorvane-convert is not found on PATH from C:\\"
  rm -rf "$drive_c/data"
  mkdir "$drive_c/data"
  cp "$examples/survey-points.csv" "$drive_c/data/pts.csv"
  local printed
  printed=$(wine cmd /c 'cd /d C:\data && sorvane-convert pts.csv' | tr -d '\r')
  [ "$printed" = "pts.csv: 変換しました" ] || fail "$1: from C:\\data the converter printed: $printed"
  cmp -s <(head -c "$(stat -c %s "$examples/PreData.txt")" "$drive_c/data/pts.dxf") \
    "$examples/PreData.txt" || fail "$1: the drawing does not begin with the installed template"
  rm -rf "$drive_c/data"
}

# The setup program users double-click, run silently as an administrator would.
new_windows setup
before=$(state)
wine "$(ls "$work"/older/*-setup.exe)" /S || fail "the older setup did not install"
wine "$setup" /S || fail "setup /S failed"
installed_as_expected setup
[ "$(entry_value EstimatedSize)" != 0x0 ] || fail "setup: the entry has no size"
[ "$(entry_value DisplayIcon)" = "C:\\Program Files\\Sorvane\\$window,0" ] ||
  fail "setup: the entry's icon is '$(entry_value DisplayIcon)'"
path=$(wine reg query "$environment_key" /v PATH | tr -d '\r')
[ "$(grep -o ';C:\\Program Files\\Sorvane' <<<"$path" | wc -l)" -eq 1 ] ||
  fail "setup: PATH does not hold the install folder once: $path"
# Its uninstaller, as Installed apps starts it for a silent removal; it finishes in a
# copy of itself, which wineserver -w waits for.
eval "wine $(entry_value QuietUninstallString)" || fail "the uninstaller failed"
wineserver -w
[ "$before" = "$(state)" ] || fail "setup: left behind: $(diff <(echo "$before") <(state) || true)"

# The MSI, for administrators; the setup program will not install beside it.
new_windows msi
before=$(state)
wine msiexec /i "$(winepath -w "$(ls "$work"/older/*.msi)")" /qn || fail "the older MSI did not install"
wine msiexec /i "$(winepath -w "$msi")" /qn || fail "msiexec /i /qn failed"
installed_as_expected msi
beside=$(state)
status=0
wine "$setup" /S || status=$?
[ "$status" -eq 2 ] && [ "$beside" = "$(state)" ] ||
  fail "the setup program installed beside the MSI's Sorvane (exit status $status)"
product=$(sorvane_entries)
product=${product%% *}
wine msiexec /x "${product##*\\}" /qn || fail "msiexec /x /qn failed"
[ "$before" = "$(state)" ] || fail "msi: left behind: $(diff <(echo "$before") <(state) || true)"
echo "installed $version over 0.9.0 with the setup program and with the MSI, used it from cmd.exe, and removed it"
