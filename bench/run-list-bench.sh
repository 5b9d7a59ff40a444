#!/usr/bin/env bash
# The font list's fill benchmark under Wine, with fontconfig's fc-scan over the
# same folder as the reference, for each count given.
# Usage: bench/run-list-bench.sh [COUNT...]   (default: 1000 10000 50000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1000 10000 50000)
"$root/scripts/build.sh" --target list_fill_bench >/dev/null
export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
for count in "${counts[@]}"; do
  folder=/tmp/typorama-bench-fonts-$count
  mkdir -p "$folder"
  echo "== $count fonts"
  "$root/build/wine-run" "$root/build/bin/list_fill_bench.exe" "Z:${folder//\//\\}" "$count"
  start=$(date +%s%N)
  fc-scan "$folder" >/dev/null
  end=$(date +%s%N)
  ms=$(( (end - start) / 1000000 ))
  printf 'fc-scan reference: %d fonts in %d.%03d s\n' "$count" $((ms / 1000)) $((ms % 1000))
done
