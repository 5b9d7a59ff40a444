#!/usr/bin/env bash
# Runs the font reader's fuzzer for a bounded time over seeds from the font
# builder; fails on any crash or sanitizer report. Usage: fuzz.sh BUILD SECONDS
set -euo pipefail
build=${1:?usage: fuzz.sh BUILD-FOLDER SECONDS}
seconds=${2:-60}
seeds="$build/fuzz-seeds"
corpus="$build/fuzz-corpus"
mkdir -p "$seeds" "$corpus"
"$build/bin/font_fuzz_seeds" "$seeds" >/dev/null
log="$build/fuzz.log"
if ! "$build/bin/font_facts_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$build/" "$corpus" "$seeds" >"$log" 2>&1; then
  tail -n 60 "$log" >&2
  echo "fuzz: the font reader crashed or a sanitizer reported; see $log" >&2
  exit 1
fi
if grep -qE 'ERROR: (Address|Undefined|Leak)Sanitizer|runtime error:' "$log"; then
  grep -m5 -E 'ERROR|runtime error:' "$log" >&2
  echo "fuzz: sanitizer report; see $log" >&2
  exit 1
fi
runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || echo "?")
echo "fuzz: $runs executions in $seconds s, no crash"
