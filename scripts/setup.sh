#!/usr/bin/env bash
# Installs what building, running and testing Typorama needs on Debian 12 or
# Ubuntu. Idempotent: quiet when everything is there, loud when it fails.
set -euo pipefail

packages=(
  cmake make flock
  g++-mingw-w64-x86-64-posix googletest
  wine wine64 fonts-wine xvfb xauth imagemagick x11-apps
  g++ clang libclang-rt-14-dev libfreetype-dev fontconfig
  fonts-dejavu-core fonts-liberation2 fonts-noto-cjk fonts-wqy-microhei fonts-urw-base35
  ghostscript zlib1g-dev nsis zip unzip
)

missing=()
for p in "${packages[@]}"; do
  [ "$p" = flock ] && { command -v flock >/dev/null || missing+=(util-linux); continue; }
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install packages" >&2; exit 1; }
  sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq || { echo "setup: apt-get update failed" >&2; exit 1; }
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
  { echo "setup: apt-get install failed for: ${missing[*]}" >&2; exit 1; }
echo "setup: done" >&2
