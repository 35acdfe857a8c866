#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of seconds
# (default 15) on its seed corpus. Any crash, hang or sanitizer report fails the run.
#   scripts/fuzz.sh 1800          # half an hour each
set -euo pipefail
shopt -s nullglob
cd "$(dirname "$0")/.."
seconds=${1:-15}
CC=clang CXX=clang++ bash scripts/configure.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKLAPTOS_FUZZ=ON
cmake --build build-fuzz
fuzzers=(build-fuzz/fuzz/*Fuzz)
[ ${#fuzzers[@]} -gt 0 ] || { echo "fuzz: no fuzz targets were built"; exit 1; }
for fuzzer in "${fuzzers[@]}"; do
  name=$(basename "$fuzzer")
  seeds=tests/fuzz/corpus/$name
  work=$(mktemp -d)
  cp -r "$seeds"/. "$work"/ 2>/dev/null || true
  echo "fuzz: $name for ${seconds}s"
  status=0
  "$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/" \
    "$work" >"$work.log" 2>&1 || status=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|ERROR|SUMMARY' "$work.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$work.log"
    mkdir -p build-fuzz/crashes && cp "$work"/crash-* "$work"/timeout-* "$work"/oom-* build-fuzz/crashes/ 2>/dev/null || true
  fi
  rm -f "$work.log"
  rm -rf "$work"
  if [ "$status" -ne 0 ]; then
    echo "fuzz: $name FAILED (exit $status)"
    exit 1
  fi
done
