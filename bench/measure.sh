#!/usr/bin/env bash
# What one tardo command costs, for a typical command and for the largest
# legal inputs:
#   1. instructions (valgrind --tool=callgrind, native build): collection is on
#      only while the export tardo() runs; the plug-in's share is the code of
#      Tardo.so plus the C library routines it calls itself (memset, wcstol,
#      iswspace); what the host's services (TakeCmd.so) and the Windows
#      stand-ins (winapi_standin.so) do for it is shown apart and is not the
#      plug-in's. Symbols are bound at load (LD_BIND_NOW), so no dynamic
#      linking is counted, and glibc's memset runs its vector loop rather
#      than rep stosb, which valgrind would count one instruction per byte.
#   2. wall time under Wine, in one run: hostshell.exe /c rem (the shell doing
#      nothing), hostshell.exe --plugin Tardo.dll /c rem (loading the plug-in
#      too), and hostshell.exe --plugin Tardo.dll /c tardo ...; each RUNS times
#      (default 7), interleaved, median reported, and the ratio to the shell
#      doing nothing. The jobs it registers go to the build's own Wine prefix
#      and are deleted at the end.
# A measurement, not a test: nothing here passes or fails on a number.
#   bench/measure.sh            (RUNS=n for more or fewer Wine runs)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
runs=${RUNS:-7}
native=build/measure-native
windows=build/measure-win64
work=$PWD/build/measure-work
jobs=${TARDO_JOBS:-2}

echo "=== machine"
echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//') ($(nproc) cores available)"
echo "memory: $(awk '/MemTotal/{printf "%.1f GiB", $2/1048576}' /proc/meminfo); kernel $(uname -r)"
echo "valgrind: $(valgrind --version); wine: $(/usr/lib/wine/wine64 --version 2>/dev/null || echo '?')"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine shows in the wall times)"

cmake --preset native -B "$native" >/dev/null
cmake --build "$native" -j "$jobs" --target hostshell Tardo >/dev/null
cmake --preset win64 -B "$windows" >/dev/null
cmake --build "$windows" -j "$jobs" --target hostshell Tardo TakeCmd >/dev/null

rm -rf "$work"
mkdir -p "$work/Windows/Tasks"
# The inputs: the longest tail the command takes (16383 characters), the
# longest clock time written plainly, and the longest clock word (the hour
# padded with zeros to fill the tail).
long_tail="5 min echo $(printf 'x%.0s' $(seq 1 $((16383 - 11))))"
clock_tail="until 4000-12-31@11:59:59PM echo hi"
pad=$((16383 - ${#clock_tail}))
padded_tail="until 4000-12-31@$(printf '0%.0s' $(seq 1 $pad))11:59:59PM echo hi"
printf '%s\n' "5 min echo hi" "$long_tail" "$clock_tail" "$padded_tail" >"$work/tails"

echo
echo "=== instructions per command (callgrind, native build; tardo() only)"
python3 - "$native/bin" "$work" <<'PY'
import os, subprocess, sys

bin_dir, work = sys.argv[1:]
tails = open(os.path.join(work, "tails")).read().splitlines()
# memset in its vector loop, not rep stosb, which valgrind counts a byte at a time.
env = dict(os.environ, SystemRoot=os.path.join(work, "Windows"), LD_BIND_NOW="1",
           STANDIN_LOCALTIME="2016-03-01 10:30:05",
           GLIBC_TUNABLES="glibc.cpu.x86_rep_stosb_threshold=4294967295")
host_objects = ("/TakeCmd.so", "/winapi_standin.so")

def costs(path):
    """(plug-in code, C library for the plug-in, host and stand-ins, total) of a callgrind file."""
    own = libc = host = total = 0
    ob = cob = None
    call_pending = False
    for line in open(path):
        line = line.rstrip("\n")
        if line.startswith("summary:"):
            total = int(line.split()[1])
        elif line.startswith("ob="):
            ob = line[3:]
        elif line.startswith("cob="):
            cob = line[4:]
        elif line.startswith("calls="):
            call_pending = True
        elif line and (line[0].isdigit() or line[0] in "+-*"):
            cost = int(line.split()[-1])
            in_plugin = ob is not None and ob.endswith("/Tardo.so")
            if call_pending:
                callee = cob if cob is not None else ob
                if in_plugin and not callee.endswith("/Tardo.so"):
                    if callee.endswith(host_objects):
                        host += cost
                    else:
                        libc += cost
                call_pending = False
                cob = None
            elif in_plugin:
                own += cost
        elif line.startswith("fn="):
            cob = None
    return own, libc, host, total

names = ["tardo 5 min echo hi", "a 16383-character tail (5 min echo xxx...)",
         "the longest plain clock time (until 4000-12-31@11:59:59PM echo hi)",
         "a 16383-character clock word (until 4000-12-31@000...011:59:59PM echo hi)"]
print(f"{'command':76} {'plug-in':>10} {'of it libc':>10} {'host':>10} {'in tardo()':>10}")
for name, tail in zip(names, tails):
    out = os.path.join(work, "callgrind.out")
    done = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out,
                           "--compress-strings=no", "--compress-pos=no", "--toggle-collect=tardo",
                           os.path.join(bin_dir, "hostshell"), "--plugin", os.path.join(bin_dir, "Tardo.so"),
                           "/c", "tardo " + tail],
                          env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, stdin=subprocess.DEVNULL)
    if done.returncode != 0 or not done.stdout.startswith(b"["):
        sys.exit(f"{name}: not scheduled (exit {done.returncode}): {done.stdout[:200]!r} {done.stderr[-400:]!r}")
    own, libc, host, total = costs(out)
    print(f"{name:76} {own + libc:10,} {libc:10,} {host:10,} {total:10,}")
print("plug-in: instructions of Tardo.so's code and of the C library routines it calls (of it libc);\n"
      "host: the host's services and the Windows stand-ins serving it (not the plug-in's work);\n"
      "in tardo(): everything while tardo() runs. glibc's memset is kept to its vector loop\n"
      "(valgrind would count rep stosb a byte at a time); most of the plug-in's C library share\n"
      "is clearing its host-sized buffers, which natively (4-byte wchar_t) are twice the Windows size.")
PY

echo
echo "=== wall time per command under Wine ($runs runs each, interleaved; median)"
prefix=$PWD/$windows/wineprefix
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bash tests/wine/prefix.sh start "$prefix" >/dev/null
"$wine" reg add 'HKLM\SOFTWARE\Microsoft\SchedulingAgent' /v TasksFolder /t REG_EXPAND_SZ \
  /d '%SystemRoot%\Tasks' /f </dev/null >>"$work/wine.log" 2>&1
"$wine" net start Schedule </dev/null >>"$work/wine.log" 2>&1 || true
status=0
python3 - "$wine" "$PWD/$windows/bin" "$work" "$runs" <<'PY' || status=1
import os, statistics, subprocess, sys, time

wine, bin_dir, work, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
tails = open(os.path.join(work, "tails")).read().splitlines()
shell = os.path.join(bin_dir, "hostshell.exe")
plugin = "Z:" + os.path.join(bin_dir, "Tardo.dll").replace("/", "\\")
variants = [("hostshell.exe /c rem", [shell, "/c", "rem"], None),
            ("hostshell.exe --plugin Tardo.dll /c rem", [shell, "--plugin", plugin, "/c", "rem"], None)]
names = ["tardo 5 min echo hi", "tardo (16383-character tail)", "tardo until 4000-12-31@11:59:59PM echo hi",
         "tardo (16383-character clock word)"]
for name, tail in zip(names, tails):
    variants.append((f"... --plugin Tardo.dll /c {name}", [shell, "--plugin", plugin, "/c", "tardo " + tail], b"["))
times = {label: [] for label, _, _ in variants}
env = dict(os.environ, LANG="C.UTF-8")
for _ in range(runs):
    for label, command, expect in variants:
        start = time.perf_counter()
        done = subprocess.run([wine] + command, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              stdin=subprocess.DEVNULL)
        took = time.perf_counter() - start
        if done.returncode != 0 or (expect and not done.stdout.startswith(expect)):
            sys.exit(f"{label}: exit {done.returncode}: {done.stdout[:200]!r} {done.stderr[-300:]!r}")
        times[label].append(took)
base = statistics.median(times[variants[0][0]])
print(f"{'command':70} {'median':>9} {'min':>9} {'ratio':>6}")
for label, _, _ in variants:
    median = statistics.median(times[label])
    print(f"{label:70} {median * 1000:7.1f}ms {min(times[label]) * 1000:7.1f}ms {median / base:6.2f}")
print("ratio: median over the median of hostshell.exe /c rem; each run is a whole Wine process.")
PY
rm -f "$prefix"/drive_c/windows/Tasks/Tardo-*.job
bash tests/wine/prefix.sh stop "$prefix" >/dev/null
exit $status
