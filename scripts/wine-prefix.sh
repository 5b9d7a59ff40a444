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
# Chinese text: link a CJK font behind the fonts controls use, and map the
# usual Chinese face names to it. Written as UTF-16 with BOM, which is what
# regedit reads Chinese names from.
reg="$prefix/typorama-cjk.reg"
python3 - "$reg" <<'PY'
import sys
link = "hex(7):" + ",".join(f"{b:02x}" for b in ("wqy-microhei.ttc,WenQuanYi Micro Hei\0NotoSansCJK-Regular.ttc,Noto Sans CJK SC\0\0").encode("utf-16-le"))
lines = ["Windows Registry Editor Version 5.00", "",
         "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]"]
for face in ["SimSun", "NSimSun", "宋体", "新宋体", "SimHei", "黑体", "Microsoft YaHei", "微软雅黑"]:
    lines.append(f'"{face}"="WenQuanYi Micro Hei"')
lines += ["", "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]"]
for face in ["Tahoma", "Tahoma Bold", "Segoe UI", "Microsoft Sans Serif", "MS Sans Serif", "System", "Arial", "Liberation Sans"]:
    lines.append(f'"{face}"={link}')
open(sys.argv[1], "w", encoding="utf-16").write("\r\n".join(lines) + "\r\n")
PY
wine regedit /S "$reg" >/dev/null 2>&1 || true
wineserver -w
touch "$prefix/.typorama-ready"
