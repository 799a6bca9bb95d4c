#!/usr/bin/env bash
# Native build with AddressSanitizer and UndefinedBehaviorSanitizer, then every
# native test. Any finding fails the run: the build stops at the first UB
# (-fno-sanitize-recover=all), a finding exits with its own code (86 ASan,
# 87 UBSan) so that no test can mistake it for the command's exit code 1, and
# every report also goes to a log file, which this script lists at the end
# (that catches findings in programs whose exit code a test does not check).
#   scripts/quality/sanitize.sh [gcc|clang]     (default gcc; build/sanitize, build/sanitize-clang)
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh
compiler=${1:-gcc}
case "$compiler" in
  gcc) cc=gcc cxx=g++ ;;
  clang) cc=clang cxx=clang++ ;;
  *) echo "usage: sanitize.sh [gcc|clang]" >&2; exit 2 ;;
esac
build=build/sanitize
[ "$compiler" = gcc ] || build=build/sanitize-$compiler
logs=$PWD/$build/sanitizer-logs
jobs=${TARDO_JOBS:-2}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=$cc -DCMAKE_CXX_COMPILER=$cxx -DTARDO_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$jobs"

rm -rf "$logs"
mkdir -p "$logs"
# The sanitizers read a quoted value whole: the logs' path may hold blanks.
export ASAN_OPTIONS="exitcode=86:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:log_path='$logs/asan':log_exe_name=1"
export UBSAN_OPTIONS="halt_on_error=1:exitcode=87:print_stacktrace=1:log_path='$logs/ubsan':log_exe_name=1"
status=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" || status=1

mapfile -t reports < <(find "$logs" -type f | sort)
if [ ${#reports[@]} -gt 0 ]; then
  echo "=== sanitizer reports"
  for report in "${reports[@]}"; do echo "--- $report"; cat "$report"; done
  status=1
fi
echo "=== sanitize ($compiler): $([ $status -eq 0 ] && echo "no findings, every test passed" || echo FAILED)"
exit $status
