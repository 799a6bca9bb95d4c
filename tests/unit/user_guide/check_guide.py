#!/usr/bin/env python3
"""Runs user-guide.py on fixture.md and compares its output byte for byte with
expected.txt, so a change that garbles the zip's guide shows here.

    check_guide.py USER_GUIDE_PY OUTPUT
"""
import difflib
import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
script, output = sys.argv[1:]
subprocess.run([sys.executable, script, os.path.join(here, "fixture.md"), "9.8.7", output],
               check=True)
with open(output, "rb") as f:
    got = f.read()
with open(os.path.join(here, "expected.txt"), "rb") as f:
    want = f.read()
if got != want:
    # repr() keeps a lost or doubled CR visible.
    sys.stdout.writelines(difflib.unified_diff(
        [repr(line) + "\n" for line in want.splitlines(True)],
        [repr(line) + "\n" for line in got.splitlines(True)], "expected.txt", output))
    sys.exit(1)
print("guide matches expected.txt")
