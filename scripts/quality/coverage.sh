#!/usr/bin/env bash
# Line coverage of the plug-in's own code (its rooms, as
# scripts/quality/layers.py lists them) by the native tests: a gcc build with gcov instrumentation
# (build/coverage), every native test, then gcovr's report. Fails when a test
# fails or when line coverage is under 95%; the report's "Missing" column
# lists the lines no test reached. Only the build folder is searched for
# counts: elsewhere under build/, a Wine prefix links to the whole file system.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh
build=build/coverage
jobs=${TARDO_JOBS:-2}
threshold=95

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DTARDO_COVERAGE=ON >/dev/null
cmake --build "$build" -j "$jobs"
# Counts from an earlier run would add up with this one's.
find "$build" -name '*.gcda' -delete

status=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" || status=1

echo "=== line coverage of the plug-in's code"
filters=()
for room in $(python3 scripts/quality/layers.py --rooms); do filters+=(--filter "$room/"); done
gcovr --root . --object-directory "$build" "${filters[@]}" \
  --exclude-unreachable-branches --txt - \
  --fail-under-line "$threshold" "$build" || { echo "line coverage under $threshold%"; status=1; }
exit $status
