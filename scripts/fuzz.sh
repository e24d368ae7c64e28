#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer + ASan + UBSan) and runs bmp_fuzzer over the in-memory
# bitmap loader for SECONDS (default 60), starting from the sample bitmaps the loader tests use.
# Any finding (crash, sanitizer report, leak, unexpected exception, timeout, memory blow-up)
# fails the script; the input that caused it is kept in build/fuzz/findings.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=build/fuzz

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target bmp_fuzzer bmp_seeds

seeds=$build/seeds
corpus=$build/corpus
findings=$build/findings
rm -rf "$seeds" "$findings"
mkdir -p "$corpus" "$findings"
"$build/fuzz/bmp_seeds" "$seeds"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
echo "== fuzzing the bitmap loader for ${seconds}s"
# New inputs go into the first folder, which persists between runs; the seeds are read only.
"$build/fuzz/bmp_fuzzer" "$corpus" "$seeds" \
  -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$findings/" -print_final_stats=1 2>"$build/fuzz.log" || {
  tail -n 60 "$build/fuzz.log" >&2
  echo "fuzz: finding kept in $findings" >&2
  exit 1
}
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' "$build/fuzz.log" || true
