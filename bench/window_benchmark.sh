#!/usr/bin/env bash
# Runs each window benchmark in a process of its own, so that each peak-memory figure is its own.
# Usage: bench/window_benchmark.sh [BUILD_DIR]
set -euo pipefail
bin=${1:-build/default}/bench/window_benchmark
for name in BM_RunConvert BM_SetPlainTextFloor BM_Save BM_FwriteFloor; do
  "$bin" --benchmark_filter="^$name/" 2>/dev/null | grep -E "^$name"
done
