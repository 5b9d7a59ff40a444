#!/usr/bin/env bash
# Tries what scripts/package.sh built, in a fresh Wine prefix:
#   - the installer runs silently for the current user; the program starts
#     from the installed place and opens its window; the uninstaller runs
#     silently and leaves no file, Start-menu entry, Uninstall key or folder
#     context-menu entry behind, and keeps the settings and the rename log;
#   - the same for every user (Wine counts as elevated), uninstalled with
#     /RemoveSettings, which takes the settings too and leaves another
#     copy's folder context-menu entry alone;
#   - the portable zip unpacks and its program starts.
# usage: package_test.sh DIST_FOLDER TOOLS_FOLDER WORK_FOLDER
set -euo pipefail
dist=$(cd "${1:?DIST_FOLDER}" && pwd)
tools=$(cd "${2:?TOOLS_FOLDER}" && pwd)
work=${3:?WORK_FOLDER}
root=$(cd "$(dirname "$0")/../.." && pwd)

setup=$(ls "$dist"/typorama-*-setup.exe)
zip_file=$(ls "$dist"/typorama-*-portable.zip)
version=$(basename "$setup" | sed 's/^typorama-\(.*\)-setup\.exe$/\1/')

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT

failures=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then echo "  ok: $what"; else echo "  FAILED: $what" >&2; failures=$((failures + 1)); fi
}
absent() { ! "$@"; }
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
value_is() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -q "REG_[A-Z_]*[[:space:]]*$3\$"; }
# The uninstaller hands over to a copy of itself in the temporary folder and
# returns at once; its last step removes the program's folder: wait for that
# (at most a minute).
uninstalled() {
  local tenths=0
  while [ -e "$1" ] && [ "$tenths" -lt 600 ]; do sleep 0.1; tenths=$((tenths + 1)); done
}
starts_and_shows_window() {  # the program at a Windows path opens its main window
  wine "$1" 'Z:\usr\share\fonts\truetype\dejavu' >/dev/null 2>&1 &
  local pid=$!
  local seen=0
  wine "$tools/wait_for_window.exe" TTyporamaMainForm 60 close && seen=1
  wait "$pid" || true
  [ "$seen" = 1 ]
}

user=$(wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
home="$WINEPREFIX/drive_c/users/$user"
uninstall='Software\Microsoft\Windows\CurrentVersion\Uninstall\Typorama'
settings='Software\Halcyon Works\Typorama'
shell_entry='HKCU\Software\Classes\Directory\Shell\Typorama'

echo "== installer, for the current user"
wine "$setup" /S /CurrentUser
installed="$home/AppData/Local/Programs/Typorama"
winpath="C:\\users\\$user\\AppData\\Local\\Programs\\Typorama"
for f in typorama.exe typorama-cli.exe uninstall.exe README.txt LICENSE.txt; do check "installed $f" test -f "$installed/$f"; done
check "help pages installed" test -n "$(find "$installed/help" -name '*.html' 2>/dev/null | head -1)"
check "Start-menu entry" test -f "$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Typorama.lnk"
check "Uninstall key with the version" value_is "HKCU\\$uninstall" DisplayVersion "$version"
check "Uninstall key with the size" value_is "HKCU\\$uninstall" EstimatedSize '0x[0-9a-f]*'
check "Uninstall key for the current user only" absent key_exists "HKLM\\$uninstall"
check "the installed program opens its window" starts_and_shows_window "$winpath\\typorama.exe"
check "the program wrote its settings" key_exists "HKCU\\$settings"
# The folder context-menu entry as the options dialog writes it.
wine reg add "$shell_entry\\Command" /ve /d "\"$winpath\\typorama.exe\" \"%L\"" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Classes\Drive\Shell\Typorama\Command' /ve /d "\"$winpath\\typorama.exe\" \"%L\"" /f >/dev/null 2>&1

# A rename log beside the program, as renames leave it in a writable program folder.
printf 'renamed\r\n' > "$installed/Rename.log"

wine "$installed/uninstall.exe" /S /CurrentUser
uninstalled "$installed/uninstall.exe"
check "no file left but the rename log, which goes with the settings" test "$(ls -A "$installed")" = Rename.log
rm -rf "$installed"
check "no Start-menu entry left" absent test -e "$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Typorama.lnk"
check "no Uninstall key left" absent key_exists "HKCU\\$uninstall"
check "no folder context-menu entry left" absent key_exists "$shell_entry"
check "no drive context-menu entry left" absent key_exists 'HKCU\Software\Classes\Drive\Shell\Typorama'
check "settings kept unless asked" key_exists "HKCU\\$settings"

echo "== installer, for every user"
wine "$setup" /S
machine="$WINEPREFIX/drive_c/Program Files/Typorama"
check "installed under Program Files" test -f "$machine/typorama.exe"
check "Start-menu entry for every user" test -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Typorama.lnk"
check "Uninstall key of the machine" value_is "HKLM\\$uninstall" DisplayVersion "$version"
check "the installed program opens its window" starts_and_shows_window 'C:\Program Files\Typorama\typorama.exe'
check "the program wrote its installation record" key_exists "HKLM\\$settings"
# Another copy's context-menu entry stays.
wine reg add "$shell_entry\\Command" /ve /d '"C:\portable\typorama.exe" "%L"' /f >/dev/null 2>&1
wine "$machine/uninstall.exe" /S /RemoveSettings
uninstalled "$machine"
check "no file left" absent test -e "$machine"
check "no Start-menu entry left" absent test -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Typorama.lnk"
check "no Uninstall key left" absent key_exists "HKLM\\$uninstall"
check "another copy's context-menu entry kept" key_exists "$shell_entry"
check "settings removed when asked" absent key_exists "HKCU\\$settings"
check "installation record removed" absent key_exists "HKLM\\$settings"

echo "== portable zip"
portable="$WINEPREFIX/drive_c/portable"
mkdir -p "$portable"
unzip -q "$zip_file" -d "$portable"
folder=$(basename "$zip_file" | sed 's/^typorama-\(.*\)-portable\.zip$/Typorama-\1/')
check "unpacked" test -f "$portable/$folder/typorama.exe"
check "the unpacked program opens its window" starts_and_shows_window "C:\\portable\\$folder\\typorama.exe"

if [ "$failures" -ne 0 ]; then
  echo "package tests: $failures failed" >&2
  exit 1
fi
echo "package tests: all passed"
