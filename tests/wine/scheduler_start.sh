#!/usr/bin/env bash
# Setup of the wine_scheduler fixture: the TasksFolder value as Windows has
# it, in both registry views, and the Schedule service started, in the build's own prefix.
#   scheduler_start.sh PREFIX [DLLPATH]
# Everything Wine prints goes to a log file, never to the caller's pipes
# (the services started here keep the handles they inherit).
set -u
. "$(dirname "$0")/wine-env.sh" "$1" "${2:-}"
log="$WINEPREFIX.scheduler.log"
state="$WINEPREFIX.schedule-state.txt"

# Both registry views, as a 64-bit Windows must have it for 32-bit hosts too.
for view in 64 32; do
  timeout $((60 * slowdown)) "$wine" reg add 'HKLM\SOFTWARE\Microsoft\SchedulingAgent' /v TasksFolder /t REG_EXPAND_SZ \
    /d '%SystemRoot%\Tasks' /f /reg:$view </dev/null >>"$log" 2>&1 || { echo "reg add failed (see $log)"; exit 1; }
done

# Wine's scheduler would start the jobs that earlier runs left in a kept
# prefix every day at their hour and minute: they go before it starts. Wine
# names the folder in lower case; the names are matched without case.
find "$WINEPREFIX/drive_c/windows" -maxdepth 2 -ipath '*/windows/tasks/tardo-*.job' -delete

# The service is up when sc query says RUNNING. Until then, unless a start
# is already under way, it is asked to start (again: right after a prefix
# is made a start can fail); all to a bound far above the second it takes.
deadline=$((SECONDS + 60 * slowdown))
while :; do
  timeout $((30 * slowdown)) "$wine" sc query Schedule </dev/null >"$state" 2>&1
  grep -q RUNNING "$state" && break
  if [ $SECONDS -ge $deadline ]; then
    echo "the Schedule service did not start within $((60 * slowdown)) s (see $log and $state)"
    exit 1
  fi
  grep -q START_PENDING "$state" || timeout $((30 * slowdown)) "$wine" net start Schedule </dev/null >>"$log" 2>&1
  sleep 0.2
done
echo "Schedule service running; TasksFolder = %SystemRoot%\\Tasks"
