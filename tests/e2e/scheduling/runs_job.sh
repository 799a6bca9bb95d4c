#!/usr/bin/env bash
# Wine's scheduler really runs a job the plug-in registered: hostshell.exe
# with Tardo.dll, SHELL set as %_cmdspec, registers "cd > MARKER" for the
# next minute, or "echo %_cwd > MARKER" when SHELL is the stand-in host
# (typed in back quotes, as a user would, so that the job's shell expands
# and redirects, not the one that schedules); the job must write its
# working directory, the shell's folder, into MARKER. cmd.exe writes it in
# the OEM code page, the stand-in host in UTF-8, as the shell's folder may
# hold any letter. The job is deleted afterwards.
#   runs_job.sh WINE_RUN BIN_DIR WORK_DIR SHELL TASKS_DIR
# SHELL is a Windows path (C:\...) or a program in BIN_DIR (hostshell.exe).
# What Wine's scheduler service does bounds every wait:
# - It learns of a job file from a change notification of its Tasks folder
#   and handles only the first change of each notification: a job written at
#   about the same moment as another change there may never be loaded. The
#   tests that change the folder hold it in turn (a CTest resource lock) and
#   delete the jobs they make; the service's own list (service_jobs.exe) must
#   hold the new job within 10 seconds, far above the milliseconds it takes.
# - Its timer starts the job at the very start of the target minute, and the
#   shell writes the marker within seconds: 60 seconds past the minute is far
#   beyond that, and still inside the minute either side in which the
#   service starts a due job. Where Wine runs slowly it may start it early,
#   inside that minute before (seen in the emulated x86-64 machine: 43 and
#   51 s before, with the job registered 90 s ahead), so the job must run in
#   the minute before its own or within the bound after it.
# Each bound is TARDO_WINE_SLOWDOWN times longer where Wine runs slower
# (an emulated x86-64 machine).
set -u
run=$1
bin=$2
work=$3
shell=$4
tasks=$5
. "$(dirname "$0")/../../wine/scheduled-job.sh"
slowdown=${TARDO_WINE_SLOWDOWN:-1}
case "$shell" in
  *\\*) job=cd ;;
  *) shell=$(windows_path "$bin/$shell") job="echo %_cwd" ;;
esac
mkdir -p "$work"
marker="$work/marker.txt"
rm -f "$marker"

# Every Wine call here has a bound of its own, well above what it takes.
held() { timeout $((60 * slowdown)) "$run" "$bin/service_jobs.exe" </dev/null | tr -d '\r' | grep -icxF "$shell"; }
tardo_jobs() { find "$tasks" -maxdepth 1 -iname 'tardo-*.job' -printf '%f\n' | sort; }
before=$(held)
# From here on a job may exist: whatever happens, the jobs this run added go.
jobs_before=$(tardo_jobs)
trap 'comm -13 <(echo "$jobs_before") <(tardo_jobs) | while read -r file; do rm -f "$tasks/$file"; done' EXIT
next_minute
minute=$(date -d "@$target" '+%F %H:%M')
timeout $((120 * slowdown)) "$run" "$bin/hostshell.exe" --plugin "$(windows_path "$bin/Tardo.dll")" --set "_cmdspec=$shell" \
  /c "tardo until $at \`$job > \"$(windows_path "$marker")\"\`" </dev/null >"$work/schedule.out" 2>"$work/schedule.err"
status=$?
if [ $status -ne 0 ] || ! grep -qF "[$minute]" "$work/schedule.out"; then
  echo "tardo did not schedule the job for $minute (exit $status):"; cat "$work/schedule.out" "$work/schedule.err"
  exit 1
fi
job=$(comm -13 <(echo "$jobs_before") <(tardo_jobs))
echo "registered $job for $minute"
taken=$((SECONDS + 10 * slowdown))
until [ "$(held)" -gt "$before" ] || [ $SECONDS -ge $taken ]; do
  sleep 0.1
done
if [ "$(held)" -le "$before" ]; then
  echo "the scheduler service did not take $job in"
  exit 1
fi

deadline=$((target + 60 * slowdown))
until line_ended "$marker" || [ "$(date +%s)" -ge $deadline ]; do
  sleep 1
done
# When the job wrote, by the clock that set its minute: a file's own time
# may come from another clock (in the emulated x86-64 machine the shared
# folder's times are the host's, which the guest's clock does not follow).
seen=$(date +%s)
if [ ! -s "$marker" ]; then
  echo "no marker $((deadline - target)) s after $minute"
  exit 1
fi
got=$(tr -d '\r\n' <"$marker")
want=${shell%\\*}
echo "ran by $((seen - target)) s after $minute in: $got"
if [ "$seen" -lt $((target - 60)) ] || [ "$seen" -gt "$deadline" ]; then
  echo "expected the job to run from the minute before $minute to $((deadline - target)) s after it"
  exit 1
fi
if [ "${got,,}" != "${want,,}" ]; then
  echo "expected the job to run in $want"
  exit 1
fi
