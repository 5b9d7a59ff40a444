#!/usr/bin/env bash
# Runs the font reader's fuzzer for a bounded time over seeds from the font
# builder; fails on any crash, sanitizer report or input that takes longer than
# the per-input limit. Usage: fuzz.sh BUILD SECONDS
#
# The time is shared by two runs: about two thirds on small inputs (up to 4 KB),
# where mutations are cheap and coverage grows fastest, and the rest on inputs up
# to 1 MB, where a reader whose cost grows faster than the file shows itself. A
# 1 MB file reads in about a millisecond natively and in tens of milliseconds
# under the sanitizers, so an input that takes two seconds is a fault, not noise.
set -euo pipefail
build=${1:?usage: fuzz.sh BUILD-FOLDER SECONDS}
seconds=${2:-60}
per_input_seconds=2
seeds="$build/fuzz-seeds"
corpus="$build/fuzz-corpus"
corpus_large="$build/fuzz-corpus-large"
mkdir -p "$seeds" "$corpus" "$corpus_large"
"$build/bin/font_fuzz_seeds" "$seeds" >/dev/null

large_seconds=$(( seconds / 3 > 0 ? seconds / 3 : 1 ))
small_seconds=$(( seconds - large_seconds > 0 ? seconds - large_seconds : 1 ))

total_runs=0
# run LABEL SECONDS MAX-LEN LOG CORPUS... (new inputs go to the first corpus)
run() {
  local label=$1 run_seconds=$2 max_len=$3 log=$4
  shift 4
  if ! "$build/bin/font_facts_fuzzer" -max_total_time="$run_seconds" -max_len="$max_len" \
         -timeout="$per_input_seconds" -print_final_stats=1 -artifact_prefix="$build/" "$@" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz ($label): the font reader crashed, took longer than ${per_input_seconds} s on an input," \
         "or a sanitizer reported; see $log" >&2
    exit 1
  fi
  if grep -qE 'ERROR: (Address|Undefined|Leak)Sanitizer|ERROR: libFuzzer|runtime error:' "$log"; then
    grep -m5 -E 'ERROR|runtime error:' "$log" >&2
    echo "fuzz ($label): sanitizer or libFuzzer report; see $log" >&2
    exit 1
  fi
  local runs
  runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || echo 0)
  echo "fuzz ($label): $runs executions in $run_seconds s"
  total_runs=$((total_runs + runs))
}

run "inputs up to 4 KB" "$small_seconds" 4096 "$build/fuzz.log" "$corpus" "$seeds"
run "inputs up to 1 MB" "$large_seconds" 1048576 "$build/fuzz-large.log" "$corpus_large" "$corpus" "$seeds"
echo "fuzz: $total_runs executions in $seconds s, no crash, no input slower than ${per_input_seconds} s"
