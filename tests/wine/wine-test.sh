#!/usr/bin/env bash
# Runs one test whose programs run under Wine, as CTest calls it:
#   wine-test.sh [--x86-probe PROBE] [--gtest WINE_RUN] COMMAND...
# --x86-probe: an x86 test; on a machine that cannot run 32-bit code (see
#   x86-code.sh) it prints why and exits 77, which CTest reports as not run.
# --gtest: COMMAND is a GoogleTest program, run with WINE_RUN; it passes only
#   with exit status 0 and GoogleTest's own line for at least one passed
#   test, so a program that Wine ends early, or that runs no test, fails.
# Status 77 is kept for "not run": a command that ends with it fails.
set -u
here=$(dirname "$0")
if [ "${1:-}" = --x86-probe ]; then
  line=$(bash "$here/x86-code.sh" "$2")
  case $? in
    0) ;;
    1) echo "$line"; exit 77 ;;
    *) echo "$line"; exit 1 ;;
  esac
  shift 2
fi
if [ "${1:-}" = --gtest ]; then
  run=$2
  shift 2
  output=$(mktemp)
  trap 'rm -f "$output"' EXIT
  "$run" "$@" 2>&1 | tee "$output"
  status=${PIPESTATUS[0]}
  if [ "$status" -eq 0 ] && ! tr -d '\r' <"$output" | grep -qE '^\[  PASSED  \] [1-9][0-9]* tests?\.$'; then
    echo "wine-test: exit status 0 but no GoogleTest line '[  PASSED  ] N tests.'"
    status=1
  fi
else
  "$@"
  status=$?
fi
[ "$status" -ne 77 ] || { echo "wine-test: the test ended with 77, which means not run here"; status=1; }
exit "$status"
