#!/usr/bin/env bash
# Runs every test: native (POSIX stand-ins), win64 and win32 under Wine (x86
# in Wine's WoW64 mode), then the quality checks: sanitizers, fuzzing, static
# analysis, line coverage, stack bound and reproducible release files.
# Installs what is missing first, so it works on a fresh machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=${TARDO_JOBS:-2}
status=0
for preset in native win64 win32; do
  echo "=== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== $preset: tests"
  ctest --preset "$preset" || status=1
done
for check in sanitize fuzz analyze coverage stack reproducible; do
  echo "=== quality: $check"
  bash "scripts/quality/$check.sh" || status=1
done
# Benchmarks are measurements, not tests: built and run once briefly so they keep working.
echo "=== benchmarks: build and a short run"
cmake --preset native -B build/bench -DTARDO_BENCH=ON >/dev/null
cmake --build build/bench -j "$jobs" --target tardo_bench >/dev/null
build/bench/bin/tardo_bench --benchmark_min_time=0.01 >/dev/null || status=1
echo "=== quality: stack win32"
bash scripts/quality/stack.sh win32 || status=1
[ $status -eq 0 ] && echo "=== every test passed" || echo "=== SOME TESTS FAILED"
exit $status
