#!/usr/bin/env bash
# Builds and runs every test: the pure code natively under AddressSanitizer and
# UndefinedBehaviorSanitizer, the font reader's fuzzer for a bounded time, then
# the Windows test programs under Wine, after building the packages and trying
# them in a fresh Wine prefix. Ends with CTest's summary of the latter.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
fuzz_seconds=${TYPORAMA_FUZZ_SECONDS:-60}
"$root/scripts/setup.sh"

echo "== native build (ASan, UBSan)"
cmake -S "$root" -B "$root/build-native" -DCMAKE_BUILD_TYPE=Debug -DTYPORAMA_SANITIZE=ON \
      -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc >/dev/null
cmake --build "$root/build-native" -j "$jobs"
(cd "$root/build-native" && ctest --output-on-failure -j "$jobs")

echo "== fuzzing the font, glyph outline and stored facts readers for ${fuzz_seconds} s"
cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTYPORAMA_TESTS=OFF \
      -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
cmake --build "$root/build-fuzz" -j "$jobs" --target font_facts_fuzzer font_fuzz_seeds glyph_outline_fuzzer outline_fuzz_seeds facts_store_fuzzer
"$root/scripts/fuzz.sh" "$root/build-fuzz" "$fuzz_seconds"

echo "== Windows build and tests under Wine"
"$root/scripts/build.sh"

echo "== packages: release build, portable zip and installer, tried in a fresh Wine prefix"
"$root/scripts/package.sh"
"$root/tests/package/package_test.sh" "$root/dist" "$root/build/bin" "$root/build/package-test"

export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
# A persistent server: otherwise each test program waits for Wine's own to time out.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
"$root/build/wine-run" cmd /c exit 0 >/dev/null 2>&1 || true
cd "$root/build"
# The window tests share one display, so now and then another test's window takes the
# foreground at the wrong moment: a failed test runs once more (both runs are printed),
# and a hung one is stopped after two minutes rather than holding up the whole run.
ctest --output-on-failure -j "$jobs" --timeout 120 --repeat until-pass:2
