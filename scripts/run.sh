#!/usr/bin/env bash
# Builds Typorama and runs its main job on a default folder of fonts (the
# fonts that the set-up installs), or on the paths given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" --target typorama-cli >/dev/null
if [ $# -eq 0 ]; then
  set -- 'Z:\usr\share\fonts'
fi
exec "$root/build/wine-run" "$root/build/bin/typorama-cli.exe" info "$@"
