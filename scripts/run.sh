#!/usr/bin/env bash
# Builds Typorama and runs the main window on a folder of fonts that the set-up
# installs (or on the folder given), under Wine in the build's private prefix.
# With an X display the window opens there and stays until you close it.
# Without one it runs in a Wine virtual desktop under Xvfb, saves a screenshot
# to build/typorama-screenshot.png after a few seconds and ends the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" --target typorama >/dev/null
folder=${1:-}
if [ -z "$folder" ]; then
  folder='Z:\usr\share\fonts\truetype'
  # The main window lists the fonts of the folder itself (no subfolders).
  for sub in dejavu liberation2 wqy; do
    if [ -d "/usr/share/fonts/truetype/$sub" ]; then folder="Z:\\usr\\share\\fonts\\truetype\\$sub"; break; fi
  done
fi
program="$root/build/bin/typorama.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/build/wine-run" "$program" "$folder"
fi

shot="$root/build/typorama-screenshot.png"
seconds=${TYPORAMA_RUN_SECONDS:-8}
export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
rm -f "$shot"
# Each Xvfb run gets its own Wine server: one left over from another display
# would keep drawing to a display that is gone.
wineserver -k 2>/dev/null || true
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine explorer /desktop=typorama,1024x768 "$0" "$1" >/dev/null 2>&1 &
  sleep "$2"
  import -window root "$3"
  wineserver -k
  wait 2>/dev/null || true
' "$program" "$folder" "$seconds" "$shot"
if [ -f "$shot" ]; then
  echo "Typorama ran on $folder; screenshot: $shot"
else
  echo "run.sh: no screenshot was taken" >&2
  exit 1
fi
