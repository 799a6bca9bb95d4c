#!/usr/bin/env bash
# Runs every test: native (POSIX stand-ins), win64 and win32 under Wine (x86
# in Wine's WoW64 mode), then the quality checks: sanitizers, fuzzing, static
# analysis, line coverage, stack bound and reproducible release files; and
# the main job (scripts/run-main.sh), which must schedule a job that Wine's
# scheduler really runs.
# Installs what is missing first, so it works on a fresh machine.
# On a machine that cannot run 32-bit code the x86 tests are reported as not
# run, with one line saying why, and the run can still pass; with
# TARDO_REQUIRE_X86=1 (a release machine) that line fails it. TARDO_X86=off
# takes that path on any machine (tests/wine/x86-code.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=${TARDO_JOBS:-2}
status=0
echo "=== layers: every include of the product points down"
python3 scripts/quality/layers.py || status=1
echo "=== format: every C++ file as .clang-format lays it out"
if git ls-files -z -- '*.cpp' '*.h' '*.c' | xargs -0 clang-format --dry-run --Werror; then
  echo "format: clean"
else
  status=1
fi
for preset in native win64 win32; do
  echo "=== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  # Every test has a time limit of its own: a hang fails it, not the whole run.
  untimed=$(ctest --preset "$preset" --show-only=json-v1 | python3 -c 'import json, sys
print(" ".join(test["name"] for test in json.load(sys.stdin)["tests"]
               if not any(p["name"] == "TIMEOUT" for p in test.get("properties", []))))')
  [ -z "$untimed" ] || { echo "tests without a TIMEOUT: $untimed"; status=1; }
done
x86=$(bash tests/wine/x86-code.sh build/win32/bin/x86_code_probe) && x86_status=0 || x86_status=$?
if [ $x86_status -ne 0 ]; then
  echo "$x86"
  [ $x86_status -eq 1 ] && [ "${TARDO_REQUIRE_X86:-}" != 1 ] || status=1
fi
echo "=== native: tests"
ctest --preset native || status=1
for preset in win64 win32; do
  echo "=== $preset: tests (the slow ones follow, beside the quality checks)"
  ctest --preset "$preset" -LE slow || status=1
done
# The slow tests under Wine wait for Wine's scheduler to start a job at the
# next minute, and do little else. Each preset has its own prefix, and so its
# own wineserver and Tasks folder: x64 and x86 run them at the same time,
# beside the quality checks, and their output is shown when they end. The
# other tests under Wine run alone, above: on a busy CPU, Wine's WoW64 mode
# now and then loses the run of an x86 program.
# The main job (scripts/run-main.sh) is the same kind of wait, in a prefix
# of its own, and runs beside them too.
wine_runs=()
trap 'kill "${wine_runs[@]%%|*}" 2>/dev/null || true' EXIT
for preset in win64 win32; do
  log=build/$preset/slow-tests.log
  ctest --preset "$preset" -L slow </dev/null >"$log" 2>&1 &
  wine_runs+=("$!|$preset: slow tests|$log")
  echo "=== $preset: slow tests running beside the checks below (shown when they end; $log)"
done
mkdir -p build/main
bash scripts/run-main.sh </dev/null >build/main-job.log 2>&1 &
wine_runs+=("$!|main job|build/main-job.log")
echo "=== main job running beside the checks below (shown when it ends; build/main-job.log)"
for check in sanitize fuzz analyze coverage stack reproducible; do
  echo "=== quality: $check"
  bash "scripts/quality/$check.sh" || status=1
done
for run in "${wine_runs[@]}"; do
  IFS='|' read -r pid heading log <<<"$run"
  wait "$pid" && wine_status=0 || wine_status=$?
  echo "=== $heading"
  cat "$log"
  [ $wine_status -eq 0 ] || status=1
done
wine_runs=()
# Benchmarks are measurements, not tests: built and run once briefly so they keep working.
echo "=== benchmarks: build and a short run"
cmake --preset native -B build/bench -DTARDO_BENCH=ON >/dev/null
cmake --build build/bench -j "$jobs" --target tardo_bench >/dev/null
build/bench/bin/tardo_bench --benchmark_min_time=0.01 >/dev/null || status=1
echo "=== quality: stack win32"
bash scripts/quality/stack.sh win32 || status=1
[ -z "$x86" ] || echo "$x86"
[ $status -eq 0 ] && echo "=== every test passed" || echo "=== SOME TESTS FAILED"
exit $status
