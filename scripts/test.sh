#!/usr/bin/env bash
# Runs every test: native (POSIX stand-ins), win64 and win32 under Wine (x86
# in Wine's WoW64 mode), then the quality checks: sanitizers, fuzzing, static
# analysis, line coverage, stack bound and reproducible release files; and
# the main job (scripts/run-main.sh), which must schedule a job that Wine's
# scheduler really runs.
# Installs what is missing first, so it works on a fresh machine.
# Where the kernel cannot run 32-bit code, the whole win32 suite runs in an
# emulated x86-64 machine instead (tests/wine/x86-machine.sh, set up by
# scripts/install-x86-machine.sh), beside everything else, and counts like
# the other presets. TARDO_X86=off leaves the x86 tests out on any machine,
# with one line saying so; with TARDO_REQUIRE_X86=1 (a release machine) that
# line fails the run.
# Each heading shows the minutes and seconds since the start.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=${TARDO_JOBS:-2}
status=0
heading() { printf '=== %s [%d:%02d]\n' "$*" $((SECONDS / 60)) $((SECONDS % 60)); }
heading "layers: every include of the product points down"
python3 scripts/quality/layers.py || status=1
heading "format: every C++ file as .clang-format lays it out"
if git ls-files -z -- '*.cpp' '*.h' '*.c' | xargs -0 clang-format --dry-run --Werror; then
  echo "format: clean"
else
  status=1
fi

# Where x86 runs: here (native), in the emulated machine, or not at all
# (TARDO_X86=off). The probe is a program of the win32 build.
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target x86_code_probe >/dev/null
x86_line=$(bash tests/wine/x86-code.sh build/win32/bin/x86_code_probe) && x86_status=0 || x86_status=$?
if [ "${TARDO_X86:-}" = off ]; then
  x86=off
elif [ $x86_status -eq 0 ]; then
  x86=native
elif [ $x86_status -eq 1 ]; then
  x86=emulated
  bash scripts/install-x86-machine.sh
else
  echo "$x86_line"
  exit 1
fi
# In the emulated machine a Wine program takes seconds to start, not a
# fraction of one: the Wine tests' time limits and waits are three times
# longer there.
slowdown=1
[ $x86 != emulated ] || slowdown=3
# Runs in the background, each shown under its heading when it ends:
# "PID|HEADING|LOG" each. Whatever way this script ends, none outlives it.
background=()
trap 'kill "${background[@]%%|*}" 2>/dev/null || true' EXIT
in_background() {  # in_background HEADING LOG COMMAND...
  local heading=$1 log=$2
  shift 2
  "$@" </dev/null >"$log" 2>&1 &
  background+=("$!|$heading|$log")
  heading "$heading: running beside what follows (shown when it ends; $log)"
}
# The emulated machine needs one core for the whole run: its build comes
# first, and it starts at once.
presets=(native win64 win32)
[ $x86 != emulated ] || presets=(win32 native win64)
for preset in "${presets[@]}"; do
  heading "$preset: configure and build"
  if [ "$preset" = win32 ]; then
    cmake --preset "$preset" -DTARDO_WINE_SLOWDOWN=$slowdown >/dev/null
  else
    cmake --preset "$preset" >/dev/null
  fi
  cmake --build --preset "$preset" -j "$jobs"
  # Every test has a time limit of its own: a hang fails it, not the whole run.
  untimed=$(ctest --preset "$preset" --show-only=json-v1 | python3 -c 'import json, sys
print(" ".join(test["name"] for test in json.load(sys.stdin)["tests"]
               if not any(p["name"] == "TIMEOUT" for p in test.get("properties", []))))')
  [ -z "$untimed" ] || { echo "tests without a TIMEOUT: $untimed"; status=1; }
  if [ "$preset" = win32 ] && [ $x86 = emulated ]; then
    in_background "win32: tests in an emulated x86-64 machine (this kernel cannot run 32-bit code)" \
      build/win32/x86-machine.log \
      bash tests/wine/x86-machine.sh build/win32 build/win32/x86-machine.console 2400 \
      bash tests/wine/x86-suite.sh build/win32
    # The emulated machine takes longest: whatever runs beside it yields it
    # its core.
    renice -n 10 -p $$ >/dev/null
  fi
done

heading "native: tests"
ctest --preset native || status=1
wine_presets=(win64)
[ $x86 = emulated ] || wine_presets+=(win32)
for preset in "${wine_presets[@]}"; do
  heading "$preset: tests (the slow ones follow, beside the quality checks)"
  ctest --preset "$preset" -LE slow || status=1
done
# The slow tests under Wine wait for Wine's scheduler to start a job at the
# next minute, and do little else. Each preset has its own prefix, and so its
# own wineserver and Tasks folder: x64 and x86 run them at the same time,
# beside the quality checks. The other tests under Wine run alone, above: on
# a busy CPU, Wine's WoW64 mode now and then loses the run of an x86 program.
# The main job is the same kind of wait, in a prefix of its own, on what was
# built above: nothing is built again under a running test.
for preset in "${wine_presets[@]}"; do
  in_background "$preset: slow tests" "build/$preset/slow-tests.log" ctest --preset "$preset" -L slow
done
in_background "main job" build/main-job.log bash scripts/run-main.sh --built
for check in sanitize fuzz analyze coverage stack reproducible; do
  heading "quality: $check"
  bash "scripts/quality/$check.sh" || status=1
done
for run in "${background[@]}"; do
  IFS='|' read -r pid heading log <<<"$run"
  wait "$pid" && run_status=0 || run_status=$?
  heading "$heading"
  tr -d '\r' <"$log"
  [ $run_status -eq 0 ] || status=1
done
background=()
# Benchmarks are measurements, not tests: built and run once briefly so they keep working.
heading "benchmarks: build and a short run"
cmake --preset native -B build/bench -DTARDO_BENCH=ON >/dev/null
cmake --build build/bench -j "$jobs" --target tardo_bench >/dev/null
build/bench/bin/tardo_bench --benchmark_min_time=0.01 >/dev/null || status=1
heading "quality: stack win32"
bash scripts/quality/stack.sh win32 || status=1
if [ $x86 = off ]; then
  echo "$x86_line"
  [ "${TARDO_REQUIRE_X86:-}" != 1 ] || status=1
fi
[ $status -eq 0 ] && heading "every test passed" || heading "SOME TESTS FAILED"
exit $status
