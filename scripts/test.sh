#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: once optimised, once under
# AddressSanitizer + UndefinedBehaviorSanitizer; then fuzzes the bitmap loader for
# FUZZ_SECONDS (default 60) seconds, where any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1

jobs=$(nproc)
for preset in default sanitize; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset tests"
  ctest --preset "$preset" -j "$jobs"
done

scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
