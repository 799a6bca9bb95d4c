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
#   2. wall time under Wine, x64 (preset win64) and x86 (preset win32, in
#      Wine's WoW64 mode), each build in a prefix of its own: hostshell.exe
#      /c rem (the shell doing nothing), hostshell.exe --plugin Tardo.dll
#      /c rem (loading the plug-in too), scheduler_floor.exe (the scheduler
#      calls that tardo makes, with fixed values and nothing else, in a bare
#      program), hostshell.exe --plugin Floor.dll /c floorjob (the same calls
#      from a plug-in that the same shell loads the same way: the floor)
#      and hostshell.exe --plugin Tardo.dll /c tardo ...; one untimed round,
#      then RUNS rounds (default 11) of every command of both builds,
#      interleaved; the median, and its ratio to the shell doing nothing and
#      to the floor of the same build. The jobs registered go to the builds'
#      own prefixes and are deleted after every round. On a machine that
#      cannot run 32-bit code, x64 alone, with one line saying why.
# A measurement, not a test: nothing here passes or fails on a number.
#   bench/measure.sh            (RUNS=n for more or fewer Wine runs)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
runs=${RUNS:-11}
native=build/measure-native
win64=build/measure-win64
win32=build/measure-win32
cache=${TARDO_CACHE:-/var/cache/tardo}
work=$PWD/build/measure-work
jobs=${TARDO_JOBS:-2}

echo "=== machine"
echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//') ($(nproc) cores available)"
echo "memory: $(awk '/MemTotal/{printf "%.1f GiB", $2/1048576}' /proc/meminfo); kernel $(uname -r)"
echo "valgrind: $(valgrind --version); wine: $(/usr/lib/wine/wine64 --version 2>/dev/null || echo '?')"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine shows in the wall times)"

cmake --preset native -B "$native" >/dev/null
cmake --build "$native" -j "$jobs" --target hostshell Tardo >/dev/null
cmake --preset win64 -B "$win64" >/dev/null
cmake --build "$win64" -j "$jobs" --target hostshell Tardo TakeCmd scheduler_floor Floor >/dev/null
cmake --preset win32 -B "$win32" -DTARDO_CACHE="$cache" >/dev/null
cmake --build "$win32" -j "$jobs" --target hostshell Tardo TakeCmd scheduler_floor Floor x86_code_probe >/dev/null
# Wine's 32-bit DLLs, as the x86 build found them.
dllpath=$(sed -n 's/^TARDO_WINE_DLLPATH:INTERNAL=//p' "$win32/CMakeCache.txt")
x86=yes
if ! x86_line=$(bash tests/wine/x86-code.sh "$win32/bin/x86_code_probe"); then
  x86=no
  echo "$x86_line; the Wine times below are x64 only"
fi

rm -rf "$work"
mkdir -p "$work/Windows/Tasks"
# The inputs: the longest tail the command takes (a host buffer less its
# terminator), the longest clock time written plainly, and the longest clock
# word (the hour padded with zeros to fill the tail).
longest=$(($(sed -n 's/^constexpr int kHostBufferChars = \([0-9]*\);.*/\1/p' hostapi/host_services.h) - 1))
long_tail="5 min echo $(printf 'x%.0s' $(seq 1 $((longest - 11))))"
clock_tail="until 4000-12-31@11:59:59PM echo hi"
pad=$((longest - ${#clock_tail}))
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

names = ["tardo 5 min echo hi", f"a {len(tails[1])}-character tail (5 min echo xxx...)",
         "the longest plain clock time (until 4000-12-31@11:59:59PM echo hi)",
         f"a {len(tails[3])}-character clock word (until 4000-12-31@000...011:59:59PM echo hi)"]
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
prefix64=$PWD/$win64/wineprefix
prefix32=$PWD/$win32/wineprefix
# Wine names the folder C:\windows\tasks, in lower case.
clear_jobs() {
  find "$prefix64/drive_c/windows" "$prefix32/drive_c/windows" -maxdepth 2 -ipath '*/windows/tasks/*' \
    \( -name 'Tardo-*.job' -o -name 'Floor-*.job' \) -delete 2>/dev/null || true
}
stop_prefixes() {
  clear_jobs
  bash tests/wine/prefix.sh stop "$prefix64" >/dev/null
  [ $x86 = no ] || bash tests/wine/prefix.sh stop "$prefix32" "$dllpath" >/dev/null
}
trap stop_prefixes EXIT
# Each prefix: started, TasksFolder in both registry views, Schedule running.
start_prefix() {
  { bash tests/wine/prefix.sh start "$@" && bash tests/wine/scheduler_start.sh "$@"; } \
    >>"$work/wine.log" || { cat "$work/wine.log"; exit 1; }
}
start_prefix "$prefix64"
[ $x86 = no ] || start_prefix "$prefix32" "$dllpath"
clear_jobs
# Wine's programs and settings; the prefix and the DLL path are set per build below.
. tests/wine/wine-env.sh "$prefix64"
python3 - "$wine" "$work" "$runs" "$x86" "$PWD/$win64/bin" "$prefix64" "$PWD/$win32/bin" "$prefix32" "$dllpath" <<'PY'
import glob, os, statistics, subprocess, sys, threading, time

sys.path.insert(0, "tests/e2e/support")
from shellrun import windows_path

wine, work, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
builds = [("x64", sys.argv[5], sys.argv[6], None)]
if sys.argv[4] == "yes":
    builds.append(("x86", sys.argv[7], sys.argv[8], sys.argv[9]))
# Far above what any one command takes: a hang ends the measurement, not the machine's day.
BOUND = 120
tails = open(os.path.join(work, "tails")).read().splitlines()
SHELL, FLOOR = "hostshell.exe /c rem (the shell doing nothing)", "... --plugin Floor.dll /c floorjob (the floor)"
labels = [SHELL, "hostshell.exe --plugin Tardo.dll /c rem", "scheduler_floor.exe (a bare program)", FLOOR,
          "... --plugin Tardo.dll /c tardo 5 min echo hi", f"... /c tardo ({len(tails[1])}-character tail)",
          "... /c tardo until 4000-12-31@11:59:59PM echo hi", f"... /c tardo ({len(tails[3])}-character clock word)"]

def commands(bin_dir, counter):
    """The command of each label, and what its standard output must start with."""
    shell = os.path.join(bin_dir, "hostshell.exe")
    plugin = windows_path(os.path.join(bin_dir, "Tardo.dll"))
    floor = windows_path(os.path.join(bin_dir, "Floor.dll"))
    listed = [([shell, "/c", "rem"], None), ([shell, "--plugin", plugin, "/c", "rem"], None),
              ([os.path.join(bin_dir, "scheduler_floor.exe"), str(counter)], None),
              ([shell, "--plugin", floor, "/c", f"floorjob {counter}"], None)]
    listed += [([shell, "--plugin", plugin, "/c", "tardo " + tail], b"[") for tail in tails]
    return listed

envs, tasks = {}, {}
for arch, _, prefix, dllpath in builds:
    windows = os.path.join(prefix, "drive_c", "windows")
    tasks[arch] = os.path.join(windows, next(name for name in os.listdir(windows) if name.lower() == "tasks"))
    env = dict(os.environ, WINEPREFIX=prefix)
    env.pop("WINEDLLPATH", None)
    if dllpath:
        env["WINEDLLPATH"] = dllpath
    envs[arch] = env
out_path, err_path = os.path.join(work, "stdout"), os.path.join(work, "stderr")
times = {(arch, label): [] for arch, *_ in builds for label in labels}


def run_rounds():
    """One untimed round, then runs timed ones, of every command of both builds."""
    for round_number in range(runs + 1):
        for arch, bin_dir, _, _ in builds:
            for label, (command, expect) in zip(labels, commands(bin_dir, round_number)):
                # Output to files, not pipes: a process that Wine starts for a
                # program (the desktop) can inherit its handles and outlive it.
                # The bound is a watchdog beside a blocking wait: a wait with a
                # timeout polls (every 50 ms at most), which would round the times.
                with open(out_path, "w+b") as out, open(err_path, "w+b") as err:
                    start = time.perf_counter()
                    process = subprocess.Popen([wine] + command, env=envs[arch], stdout=out, stderr=err,
                                               stdin=subprocess.DEVNULL)
                    watchdog = threading.Timer(BOUND, process.kill)
                    watchdog.start()
                    code = process.wait()
                    took = time.perf_counter() - start
                    watchdog.cancel()
                output, errors = open(out_path, "rb").read(), open(err_path, "rb").read()
                if code != 0 or (expect and not output.startswith(expect)):
                    sys.exit(f"{arch} {label}: exit {code}: {output[:200]!r} {errors[-300:]!r}")
                if round_number > 0:
                    times[(arch, label)].append(took)
            # Every round finds the same Tasks folder.
            for pattern in ("Tardo-*.job", "Floor-*.job"):
                for job in glob.glob(os.path.join(tasks[arch], pattern)):
                    os.remove(job)


# A program that starts COM makes Wine start the desktop process (explorer.exe),
# which ends a second after the desktop's last program: each run would find it
# there or start it afresh, by chance. A shell waiting for input in each prefix
# keeps the desktop there throughout, as Windows always has one.
holders = [subprocess.Popen([wine, os.path.join(bin_dir, "hostshell.exe")], env=envs[arch],
                            stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
           for arch, bin_dir, _, _ in builds]
try:
    run_rounds()
finally:
    for holder in holders:
        holder.stdin.close()
        try:
            holder.wait(timeout=BOUND)
        except subprocess.TimeoutExpired:
            holder.kill()

medians = {key: statistics.median(value) for key, value in times.items()}
width = max(map(len, labels))
columns = f"{'median':>8} {'min':>8} {'shell':>6} {'floor':>6}"
print(f"{'':{width}}" + "".join(f"   {arch:-^32}" for arch, *_ in builds))
print(f"{'command':{width}}" + f"   {columns}" * len(builds))
for label in labels:
    row = f"{label:{width}}"
    for arch, *_ in builds:
        median = medians[(arch, label)]
        row += (f"   {median * 1000:6.1f}ms {min(times[(arch, label)]) * 1000:6.1f}ms"
                f" {median / medians[(arch, SHELL)]:6.2f} {median / medians[(arch, FLOOR)]:6.2f}")
    print(row)
print("median and min of the runs of each command, each a whole Wine process; shell and floor:\n"
      "the median over that of hostshell.exe /c rem, and over that of hostshell.exe --plugin Floor.dll\n"
      "/c floorjob, of the same build. x86 runs in Wine's WoW64 mode. The floor makes tardo's scheduler\n"
      "and OS calls (service check, Tasks folder, free job name, CoCreateInstance ... AddWorkItem,\n"
      "Release) with fixed values, from a plug-in that the same shell loads and calls the same way;\n"
      "scheduler_floor.exe makes them in a bare program that starts COM itself.")
PY
