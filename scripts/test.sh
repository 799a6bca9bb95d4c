#!/usr/bin/env bash
# Runs every test: native (POSIX stand-ins), win64 under Wine, win32 static checks.
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
exit $status
