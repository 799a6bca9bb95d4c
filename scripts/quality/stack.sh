#!/usr/bin/env bash
# Worst-case stack of each export of the shipped Tardo.dll, from GCC's own
# figures: the plug-in's objects are built as the win64 (default) or win32
# preset builds them, plus -fcallgraph-info=su, which writes each object's
# call graph with every function's frame size (the -fstack-usage figure)
# and changes no code. From each export the deepest path through the
# plug-in's functions is summed; recursion or a frame of unbounded dynamic
# size fails the check, as does a bound above 320 KB.
#
# Not counted (the output says so): the frames of the host's services
# (TakeCmd.dll), of Windows and of the C runtime, and of the COM methods the
# plug-in calls through interface pointers. Each is listed where the path
# calls it.
#   scripts/quality/stack.sh [win64|win32]
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh
preset=${1:-win64}
case "$preset" in
  win64) arch=x64 ;;
  win32) arch=x86 ;;
  *) echo "usage: stack.sh [win64|win32]" >&2; exit 2 ;;
esac
build=build/stack-$preset
limit=327680

cmake --preset "$preset" -B "$build" -DCMAKE_CXX_FLAGS=-fcallgraph-info=su >/dev/null
cmake --build "$build" -j "${TARDO_JOBS:-2}" --target Tardo >/dev/null

python3 - "$build" plugin/Tardo-$arch.def plugin/TakeCmd-imports-$arch.def "$limit" <<'PY'
import glob, os, re, sys

build, def_file, host_def, limit = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])

def def_names(path):
    names, on = [], False
    for line in open(path):
        word = line.split(";")[0].strip()
        if word.upper() == "EXPORTS":
            on = True
        elif on and word:
            names.append(word.split()[0].split("@")[0])
    return names

exports = def_names(def_file)
host_services = set(def_names(host_def))

# The plug-in's objects: every component's object folder.
objects = sorted(glob.glob(f"{build}/*/CMakeFiles/tardo_*.dir/**/*.obj", recursive=True))
if not objects:
    sys.exit(f"no plug-in objects under {build}")

node_re = re.compile(r'^node: \{ title: "([^"]+)" label: "((?:[^"\\]|\\.)*)"')
edge_re = re.compile(r'^edge: \{ sourcename: "([^"]+)" targetname: "([^"]+)"')
frames = {}      # (unit, name) -> bytes, for functions defined in a unit
defined_in = {}  # name -> units defining it
calls = {}       # (unit, name) -> callee names
problems = []

for obj in objects:
    graph = obj[:-len(".obj")] + ".ci"
    if not os.path.exists(graph):
        problems.append(f"no call graph for {obj}")
        continue
    unit = graph
    for line in open(graph):
        m = node_re.match(line)
        if m:
            name, label = m.groups()
            size = re.search(r"\\n(\d+) bytes \(([a-z,]+)\)$", label)
            if size:
                bytes_, kind = int(size.group(1)), size.group(2)
                if kind not in ("static", "dynamic,bounded"):
                    problems.append(f"{name}: frame of {kind} size")
                frames[(unit, name)] = bytes_
                defined_in.setdefault(name, []).append(unit)
            continue
        m = edge_re.match(line)
        if m:
            source, target = m.groups()
            calls.setdefault((unit, source), []).append(target)

def plain(name):
    # x86 stdcall and cdecl names: _tardo@4 -> tardo.
    m = re.match(r"^_?([A-Za-z_][A-Za-z0-9_]*)@\d+$", name)
    return m.group(1) if m else name.lstrip("_") if name.startswith("_") and not name.startswith("_Z") else name

def resolve(unit, name):
    """The defining (unit, name) of a callee, or None for one outside the plug-in."""
    if (unit, name) in frames:
        return (unit, name)  # file-local functions first
    units = defined_in.get(name, [])
    return (units[0], name) if units else None

def external_kind(name):
    if name == "__indirect_call":
        return "COM method through an interface pointer"
    if plain(name) in host_services:
        return "host service (TakeCmd.dll)"
    return "Windows or C runtime"

worst = {}
def deepest(node, trail):
    if node in trail:
        problems.append("recursion: " + " -> ".join(n for _, n in trail + [node]))
        return 0, [node], set()
    if node in worst:
        return worst[node]
    best, best_path, outside = 0, [], set()
    for callee in calls.get(node, []):
        target = resolve(node[0], callee)
        if target is None:
            outside.add(callee)
            continue
        depth, path, their_outside = deepest(target, trail + [node])
        outside |= their_outside
        if depth > best:
            best, best_path = depth, path
    result = (frames[node] + best, [node] + best_path, outside)
    worst[node] = result
    return result

try:
    import subprocess
    demangled = {}
    def pretty(name):
        if name not in demangled:
            out = subprocess.run(["c++filt", name], capture_output=True, text=True).stdout.strip()
            demangled[name] = re.sub(r"\(.*\)$", "", out) or name
        return demangled[name]
except Exception:
    def pretty(name):
        return name

print(f"Worst-case stack of each export ({os.path.basename(build)}, limit {limit} bytes)")
failed = False
for export in exports:
    node = next(((u, n) for (u, n) in frames if plain(n) == export), None)
    if node is None:
        problems.append(f"export {export} not found in the plug-in's call graphs")
        continue
    depth, path, outside = deepest(node, [])
    verdict = "ok" if depth <= limit else "OVER THE LIMIT"
    failed |= depth > limit
    print(f"\n{export}: {depth} bytes ({verdict})")
    print("  " + " -> ".join(f"{pretty(plain(n))} ({frames[(u, n)]})" for u, n in path))
    if outside:
        kinds = {}
        for callee in sorted(outside):
            kinds.setdefault(external_kind(callee), []).append(pretty(plain(callee)) if callee != "__indirect_call" else "ITask/ITaskScheduler/ITaskTrigger")
        for kind, names in sorted(kinds.items()):
            print(f"  not counted, {kind}: {', '.join(sorted(set(names)))}")

print("\nCounted: the plug-in's own frames (GCC's -fstack-usage figures, return address included)."
      "\nNot counted: the stack used inside host services, Windows, the C runtime and COM methods,"
      "\nand the few bytes of the compiler's stack probe (___chkstk_ms) under frames over 4 KB.")
for problem in problems:
    print("PROBLEM: " + problem)
sys.exit(1 if failed or problems else 0)
PY
