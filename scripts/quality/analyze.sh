#!/usr/bin/env bash
# Static analysis of the plug-in's own code (its rooms, as
# scripts/quality/layers.py lists them): clang-tidy 14 with the checks of .clang-tidy, then cppcheck.
# Both read the compile database of a native clang configure (build/analyze,
# nothing is built), so they see the plug-in's real flags and the POSIX
# stand-in declarations of the Windows API. Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh
build=build/analyze
jobs=${TARDO_JOBS:-2}
tidy=$(command -v clang-tidy-14 || command -v clang-tidy)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
# The database restricted to the plug-in's sources.
python3 - "$PWD" "$build/compile_commands.json" "$build/plugin_commands/compile_commands.json" \
  $(python3 scripts/quality/layers.py --rooms) <<'PY'
import json, os, sys
root, source, target = sys.argv[1:4]
folders = tuple(os.path.join(root, f) + os.sep for f in sys.argv[4:])
entries = [e for e in json.load(open(source)) if e["file"].startswith(folders)]
os.makedirs(os.path.dirname(target), exist_ok=True)
json.dump(entries, open(target, "w"), indent=1)
print(f"{len(entries)} plug-in sources")
PY
mapfile -t sources < <(python3 -c 'import json,sys; [print(e["file"]) for e in json.load(open(sys.argv[1]))]' \
  "$build/plugin_commands/compile_commands.json" | sort)
[ ${#sources[@]} -gt 0 ] || { echo "no plug-in sources in the compile database"; exit 1; }

status=0
echo "=== clang-tidy ($($tidy --version | grep -o 'version [0-9.]*'))"
if ! printf '%s\0' "${sources[@]}" |
     xargs -0 -P "$jobs" -n 4 "$tidy" -p "$build/plugin_commands" --quiet 2>/dev/null; then
  status=1
fi
echo "=== cppcheck ($(cppcheck --version))"
if ! cppcheck --project="$build/plugin_commands/compile_commands.json" --std=c++20 \
     --enable=warning,style,performance,portability --error-exitcode=1 --inline-suppr \
     -j "$jobs" -q --template='{file}:{line}:{column}: {severity}: {message} [{id}]'; then
  status=1
fi
echo "=== analyze: ${#sources[@]} sources, $([ $status -eq 0 ] && echo "no findings" || echo FINDINGS)"
exit $status
