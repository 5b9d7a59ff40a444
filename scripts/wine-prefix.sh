#!/usr/bin/env bash
# Creates a Wine prefix for Typorama's programs and tests, once, under a lock:
# wineboot, then Wine's own fonts (Debian does not put them into new prefixes).
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX}
[ -f "$prefix/.typorama-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.typorama-ready" ] && exit 0
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || { echo "wine-prefix.sh: wineboot failed for $prefix" >&2; exit 1; }
wineserver -w
# Without an X display fall back to Wine's null graphics driver, so that tests
# can still create (invisible) windows; under Xvfb the X11 driver is used.
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f >/dev/null 2>&1 || true
wineserver -w
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon; do
    [ -e "$f" ] && cp -n "$f" "$fonts/"
done
touch "$prefix/.typorama-ready"
