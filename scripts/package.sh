#!/usr/bin/env bash
# Builds what ships, from the Linux cross build, into dist/ (or $TYPORAMA_DIST):
#   typorama-VERSION-portable.zip  the programs, help, README and licence in one
#                                  folder; run from anywhere, keeps its files beside itself
#   typorama-VERSION-setup.exe     the installer (NSIS): per user without
#                                  administrator rights, per machine when elevated
#   typorama-VERSION-symbols.zip   the debug information of both programs
#   SHA256SUMS                     checksums of the three
# The programs are an optimised build; their debug information goes to the
# symbols archive, each program keeping a link to its .debug file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build-release"
dist=${TYPORAMA_DIST:-$root/dist}
cross=x86_64-w64-mingw32

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTYPORAMA_TESTS=OFF \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target typorama typorama-cli typorama_help
version=$(sed -n 's/^#define TYPORAMA_VERSION_TEXT "\(.*\)"$/\1/p' "$build/src/generated/typorama_version.h")
[ -n "$version" ] || { echo "package: no version in the build" >&2; exit 1; }

name="Typorama-$version"
stage="$build/stage/$name"
symbols="$build/stage/symbols"
rm -rf "$build/stage"
mkdir -p "$stage" "$symbols" "$dist"
for program in typorama typorama-cli; do
  "$cross-objcopy" --only-keep-debug "$build/bin/$program.exe" "$symbols/$program.exe.debug"
  "$cross-objcopy" --strip-all --add-gnu-debuglink="$symbols/$program.exe.debug" \
                   "$build/bin/$program.exe" "$stage/$program.exe"
done
cp -r "$build/bin/help" "$stage/help"
# Windows' Notepad reads CR LF.
sed 's/$/\r/' "$root/README.md" > "$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" > "$stage/LICENSE.txt"

zip_file="$dist/typorama-$version-portable.zip"
setup_file="$dist/typorama-$version-setup.exe"
symbols_file="$dist/typorama-$version-symbols.zip"
rm -f "$zip_file" "$setup_file" "$symbols_file" "$dist/SHA256SUMS"
(cd "$build/stage" && zip -q -r -X "$zip_file" "$name")
(cd "$symbols" && zip -q -X "$symbols_file" ./*.debug)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup_file" "$root/installer/typorama.nsi"
(cd "$dist" && sha256sum "$(basename "$zip_file")" "$(basename "$setup_file")" "$(basename "$symbols_file")" > SHA256SUMS)

size=$(( $(stat -c %s "$stage/typorama.exe") + $(stat -c %s "$stage/typorama-cli.exe") ))
echo "package: typorama $version in $dist (both programs $((size / 1024)) KB)"
ls -l "$dist"
