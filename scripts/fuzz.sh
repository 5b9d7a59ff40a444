#!/usr/bin/env bash
# Runs the fuzzers of the parsers of font bytes for a bounded time over seeds
# from the font builder; fails on any crash, sanitizer report or input that
# takes longer than the per-input limit. Usage: fuzz.sh BUILD SECONDS
#
# An eighth of the time goes to the stored facts file (small inputs: its
# entries are short and it is checked as a whole). A quarter goes to the glyph outline reader (small buffers: a
# glyph's outline is a few kilobytes, and a reader that flattens 100 segments
# per point needs no megabyte inputs to show a fault). The font reader's share
# is split in two runs: about two thirds on small inputs (up to 4 KB),
# where mutations are cheap and coverage grows fastest, and the rest on inputs up
# to 1 MB, where a reader whose cost grows faster than the file shows itself. A
# 1 MB file reads in about a millisecond natively and in tens of milliseconds
# under the sanitizers, so an input that takes two seconds is a fault, not noise.
set -euo pipefail
build=${1:?usage: fuzz.sh BUILD-FOLDER SECONDS}
seconds=${2:-60}
per_input_seconds=2
seeds="$build/fuzz-seeds"
outline_seeds="$build/fuzz-outline-seeds"
outline_corpus="$build/fuzz-outline-corpus"
corpus="$build/fuzz-corpus"
corpus_large="$build/fuzz-corpus-large"
store_corpus="$build/fuzz-store-corpus"
mkdir -p "$seeds" "$corpus" "$corpus_large" "$outline_seeds" "$outline_corpus" "$store_corpus"
"$build/bin/font_fuzz_seeds" "$seeds" >/dev/null
"$build/bin/outline_fuzz_seeds" "$outline_seeds" >/dev/null

outline_seconds=$(( seconds / 4 > 0 ? seconds / 4 : 1 ))
store_seconds=$(( seconds / 8 > 0 ? seconds / 8 : 1 ))
font_seconds=$(( seconds - outline_seconds - store_seconds > 1 ? seconds - outline_seconds - store_seconds : 2 ))
large_seconds=$(( font_seconds / 3 > 0 ? font_seconds / 3 : 1 ))
small_seconds=$(( font_seconds - large_seconds > 0 ? font_seconds - large_seconds : 1 ))

total_runs=0
# run FUZZER LABEL SECONDS MAX-LEN LOG CORPUS... (new inputs go to the first corpus)
run() {
  local fuzzer=$1 label=$2 run_seconds=$3 max_len=$4 log=$5
  shift 5
  if ! "$build/bin/$fuzzer" -max_total_time="$run_seconds" -max_len="$max_len" \
         -timeout="$per_input_seconds" -print_final_stats=1 -artifact_prefix="$build/" "$@" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz ($label): the reader crashed, took longer than ${per_input_seconds} s on an input," \
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

run font_facts_fuzzer "fonts up to 4 KB" "$small_seconds" 4096 "$build/fuzz.log" "$corpus" "$seeds"
run font_facts_fuzzer "fonts up to 1 MB" "$large_seconds" 1048576 "$build/fuzz-large.log" "$corpus_large" "$corpus" "$seeds"
run glyph_outline_fuzzer "glyph outlines up to 64 KB" "$outline_seconds" 65536 "$build/fuzz-outline.log" \
    "$outline_corpus" "$outline_seeds"
run facts_store_fuzzer "stored facts up to 4 KB" "$store_seconds" 4096 "$build/fuzz-store.log" "$store_corpus"
echo "fuzz: $total_runs executions in $(( small_seconds + large_seconds + outline_seconds + store_seconds )) s, no crash, no input slower than ${per_input_seconds} s"
