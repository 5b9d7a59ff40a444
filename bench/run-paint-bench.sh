#!/usr/bin/env bash
# The font list's painting benchmark under Wine on a virtual X display.
# Usage: bench/run-paint-bench.sh [DISTINCT_FONTS [ROWS]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" --target list_paint_bench >/dev/null
export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
cd "$root/build/bin"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
  "wine list_paint_bench.exe 'C:\\typorama-paint-bench-fonts' ${1:-500} ${2:-10000} | cat; wineserver -k"
