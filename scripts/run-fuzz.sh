#!/usr/bin/env bash
# Runs each fuzz target for the given time, seeded with the scripts of the shared corpus, and
# prints libFuzzer's closing figures. Exits non-zero when a target found a crash, a hang or a
# sanitizer report (the input is left in the build folder as crash-*, timeout-* or leak-*).
set -euo pipefail
build="${1:-build-fuzz}"
seconds="${2:-600}"
corpus="$(cd "$(dirname "$0")/.." && pwd)/../shared"
status=0
for target in fuzz_reader fuzz_load; do
  work="$build/fuzz-$target"
  mkdir -p "$work/corpus"
  if [ -d "$corpus" ]; then
    find "$corpus" -name '*.rc' -size -64k -exec cp -n {} "$work/corpus/" \; 2>/dev/null || true
  fi
  echo "== $target for $seconds s"
  if ! (cd "$work" && "../fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 corpus > log.txt 2>&1); then
    status=1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)|ERROR|SUMMARY' "$work/log.txt" || true
done
exit $status
