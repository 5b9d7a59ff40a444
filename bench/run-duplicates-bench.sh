#!/usr/bin/env bash
# The duplicate finder's search (typorama-cli duplicates: scan, read every
# file's names, group, CRC of the duplicates) under Wine, with fontconfig's
# fc-scan over the same folder as the reference. The folder is the list
# benchmark's (bench/run-list-bench.sh makes it).
# Usage: bench/run-duplicates-bench.sh [COUNT]   (default: 10000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-10000}
folder=/tmp/typorama-bench-fonts-$count
[ -d "$folder" ] || { echo "no $folder: run bench/run-list-bench.sh $count first" >&2; exit 1; }
"$root/scripts/build.sh" --target typorama-cli >/dev/null
export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
"$root/build/wine-run" cmd /c exit 0 >/dev/null 2>&1 || true
files=$(find "$folder" -maxdepth 1 -name '*.ttf' | wc -l)
for round in 1 2; do
  start=$(date +%s%N)
  groups=$("$root/build/wine-run" "$root/build/bin/typorama-cli.exe" duplicates "Z:${folder//\//\\}" | wc -l)
  end=$(date +%s%N)
  ms=$(( (end - start) / 1000000 ))
  printf 'typorama-cli duplicates, round %d: %d files, %d groups in %d.%03d s\n' "$round" "$files" "$groups" \
    $((ms / 1000)) $((ms % 1000))
done
start=$(date +%s%N)
fc-scan "$folder" >/dev/null
end=$(date +%s%N)
ms=$(( (end - start) / 1000000 ))
printf 'fc-scan reference: %d files in %d.%03d s\n' "$files" $((ms / 1000)) $((ms % 1000))
