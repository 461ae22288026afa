#!/usr/bin/env bash
# Fuzzes the readers of outside files with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, one target after another.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS is each target's running time (600 when not given); without TARGETs every target runs.
# Each target starts from its kept corpus (fuzz/corpus/NAME) and grows a scratch copy of it in
# build-fuzz/corpus/NAME; a crash is written to build-fuzz/crashes/NAME/ and stops that target.
# The last line of each target's log (build-fuzz/logs/NAME.log) gives its executions; the summary
# at the end lists them with the CPU seconds used.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
shift || true

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DQUILLMARK_FUZZ=ON -DQUILLMARK_BUILD_UI=OFF \
  -DQUILLMARK_BUILD_TOOLS=OFF -DQUILLMARK_BUILD_BENCH=OFF >/dev/null

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    targets+=("$name")
  done
fi

cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}"

summary=()
TIMEFORMAT='cpu %U %S'
for name in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$name
  crashes=build-fuzz/crashes/$name
  log=build-fuzz/logs/$name.log
  mkdir -p "$corpus" "$crashes" "$(dirname "$log")"
  cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "Fuzzing $name for $seconds s ..."
  started=$(date +%s)
  status=0
  { time build-fuzz/bin/fuzz_"$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$crashes/" -rss_limit_mb=4096 "$corpus" >"$log" 2>&1 || status=$?; } \
    2>"$log.time"
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  cpu=$(awk '/^cpu/ { printf "%.0f", $2 + $3 }' "$log.time")
  found=$(find "$crashes" -type f | wc -l)
  summary+=("$name: $runs runs, $cpu CPU s, $(($(date +%s) - started)) s, exit $status, $found crash files")
done

printf '%s\n' "${summary[@]}"
