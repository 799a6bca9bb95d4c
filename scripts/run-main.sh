#!/usr/bin/env bash
# The main job: builds Tardo.dll for x64 and x86, then, in a Wine prefix of
# its own, has the stand-in host with the x64 plug-in schedule a real job for
# the next minute, keeps the prefix alive until Wine's scheduler has run it,
# and shows what the job wrote. Exits 0 only if the job ran; every failure
# is one line saying what failed.
#   run-main.sh [--built]
# --built: take the DLLs and the host as the presets' builds have them, and
# build nothing (scripts/test.sh, whose tests run from those folders).
set -Eeuo pipefail
cd "$(dirname "$0")/.."
main=$PWD/build/main
prefix=$main/wineprefix
log=$main/wine.log
jobdir=$main/job

progress=""  # the line being updated in place, if any
fail() {
  trap - ERR
  [ -z "$progress" ] || echo
  echo "run-main: $*" >&2
  exit 1
}
# A step without a line of its own still fails in one line, naming it.
trap 'fail "this step failed: $BASH_COMMAND"' ERR

mkdir -p "$main"
bin=$PWD/build/win64/bin
if [ "${1:-}" = --built ]; then
  for file in "$bin/Tardo.dll" "$bin/hostshell.exe" build/win32/bin/Tardo.dll; do
    [ -f "$file" ] || fail "--built, but there is no $file: build the presets win64 and win32 first"
  done
else
  bash scripts/install-deps.sh || fail "could not install what the main job needs"
  # Each build goes to its preset's own folder, where the tests build it too.
  build() {  # build PRESET TARGET...
    local preset=$1 log=$main/$1-build.log
    shift
    { { [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset"; } &&
      cmake --build --preset "$preset" -j "${TARDO_JOBS:-2}" --target "$@"; } >"$log" 2>&1 ||
      { tail -n 20 "$log"; fail "the $preset build failed (see build/main/$preset-build.log)"; }
  }
  build win64 Tardo hostshell
  build win32 Tardo
fi
echo "Built: build/win64/bin/Tardo.dll ($(stat -c %s "$bin/Tardo.dll") bytes)," \
  "build/win32/bin/Tardo.dll ($(stat -c %s build/win32/bin/Tardo.dll) bytes)"

# Everything Wine starts here writes to files: the services keep the standard
# handles of whatever first starts the prefix.
. tests/wine/wine-env.sh "$prefix"
. tests/wine/scheduled-job.sh
trap 'bash tests/wine/prefix.sh stop "$prefix" >/dev/null' EXIT
bash tests/wine/prefix.sh start "$prefix" >>"$log" 2>&1 || fail "the Wine prefix did not start (see $prefix.log)"
# TasksFolder in both registry views, jobs of earlier runs gone, the service started.
started=$(bash tests/wine/scheduler_start.sh "$prefix") || fail "$started"
tasks=$prefix/drive_c/windows/tasks
[ -d "$tasks" ] || fail "the prefix has no Tasks folder ($tasks)"

next_minute

# The line as a user types it at the host: the back quotes keep the job's
# variables and its redirection from the host that schedules it, and go;
# the job's own host expands them and writes the file when the job runs.
rm -rf "$jobdir"
mkdir -p "$jobdir"
folder=$(windows_path "$jobdir")
line="tardo until $at in \"$folder\" \`echo the job ran at %_date %_time in %_cwd> job.txt\`"
echo "> $line"
status=0
timeout 120 "$wine" "$bin/hostshell.exe" --plugin "$(windows_path "$bin/Tardo.dll")" /c "$line" \
  </dev/null >"$main/schedule.out" 2>"$main/schedule.err" || status=$?
cat "$main/schedule.out" "$main/schedule.err"
[ $status -eq 0 ] || fail "hostshell.exe ended with exit code $status: nothing scheduled"
grep -qF "[$(date -d "@$target" '+%F %H:%M')]" "$main/schedule.out" ||
  fail "tardo did not schedule the job for today at $at"
job=$(find "$tasks" -maxdepth 1 -iname 'tardo-*.job' -printf '%f\n') ||
  fail "cannot read the prefix's Tasks folder ($tasks)"
[ -n "$job" ] || fail "no Tardo job in the prefix's Tasks folder"
echo "Scheduled: $job (Wine's scheduler runs it at $at)"

# Wine's scheduler starts a job within a second or two of its minute; the
# job's host and cmd.exe then need a few seconds more under Wine. On a
# terminal one line counts down in place; in a log, one line says it.
output=$jobdir/job.txt
deadline=$((target + 60))
[ -t 1 ] || echo "waiting for $at and the job's output"
while ! line_ended "$output"; do
  now=$(date +%s)
  if [ "$now" -ge "$deadline" ]; then
    # Wine's scheduler deletes a job it has started (the job asks it to).
    [ ! -f "$tasks/$job" ] || fail "Wine's scheduler did not start $job: it is still waiting 60 s after $at"
    fail "the job ran but wrote no $output within 60 s of $at"
  fi
  if [ -t 1 ]; then
    if [ "$now" -lt "$target" ]; then
      progress="waiting for $at: $((target - now)) s to go"
    else
      progress="$at has come: waiting for the job's output, $((now - target)) s"
    fi
    printf '\r%-60s' "$progress"
  fi
  sleep 1
done
[ -z "$progress" ] || echo
trap - EXIT
bash tests/wine/prefix.sh stop "$prefix" >/dev/null
echo "The job wrote build/main/job/job.txt at $(date -r "$output" +%H:%M:%S):"
tr -d '\r' <"$output"
# It must have run in the folder it was given (Windows compares names without case).
wrote=$(tr -d '\r\n' <"$output")
ran_in=${wrote#* in }
[ "${ran_in,,}" = "${folder,,}" ] || fail "the job ran in '$ran_in', not in $folder"
