#!/usr/bin/env bash
# The whole test suite of the x86 build, as the emulated x86-64 machine runs
# it (scripts/test.sh through tests/wine/x86-machine.sh):
#   x86-suite.sh BUILD [CTEST ARGUMENTS...]
# Every test must run and pass: one that reports itself not run fails the
# suite, as one that fails does. The build's Wine prefix lives in the
# guest's own memory: created on the shared folder, it takes minutes longer.
set -u
build=$1
shift
prefix=$build/wineprefix
results=$(cd "$build" && pwd)/x86-results.xml
mkdir -p "$prefix" && mount -t tmpfs -o size=4g tardo-wineprefix "$prefix" ||
  { echo "x86-suite: cannot put the Wine prefix in memory"; exit 1; }
rm -f "$results"
# Through a pipe, as in the host's runs: ctest and Wine see no terminal.
ctest --test-dir "$build" --output-on-failure --output-junit "$results" "$@" 2>&1 | cat
status=${PIPESTATUS[0]}
python3 - "$results" <<'PY' || status=1
import sys
import xml.etree.ElementTree as ElementTree
try:
    cases = list(ElementTree.parse(sys.argv[1]).getroot().iter("testcase"))
except (OSError, ElementTree.ParseError) as error:
    sys.exit(f"x86-suite: no results from ctest ({error})")
left = [case.get("name") for case in cases if case.get("status") != "run"]
if not cases or left:
    sys.exit(f"x86-suite: {len(left)} of {len(cases)} tests did not run and pass: {' '.join(left)}")
print(f"x86-suite: all {len(cases)} tests ran and passed")
PY
exit "$status"
