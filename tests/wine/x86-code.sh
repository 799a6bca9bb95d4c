#!/usr/bin/env bash
# Can this machine run the x86 build's code? Wine's WoW64 mode needs the
# kernel to run 32-bit code in a 64-bit process, and some machines of ours
# cannot. Prints nothing and exits 0 when it can; otherwise prints one line,
# "x86 tests not run: REASON", and exits 1. Without the probe program it
# cannot tell: it says so and exits 2, an error rather than a machine's limit.
#   x86-code.sh PROBE      PROBE: the built tests/wine/x86_code_probe.cpp
# TARDO_X86=off forces the answer to no, to try the other path on any machine.
set -u
probe=$1
if [ "${TARDO_X86:-}" = off ]; then
  echo "x86 tests not run: TARDO_X86=off forces them off"
  exit 1
fi
if [ ! -x "$probe" ]; then
  echo "x86 tests: no probe program $probe (build the win32 preset first)"
  exit 2
fi
reason=$("$probe" 2>&1) && exit 0
echo "x86 tests not run: this machine cannot run 32-bit code (${reason:-the probe ended with status $?})"
exit 1
