#!/usr/bin/env bash
# Setup of the wine_scheduler fixture: the TasksFolder value as Windows has
# it and the Schedule service started, in the build's own prefix.
#   scheduler_start.sh PREFIX
# Everything Wine prints goes to a log file, never to the caller's pipes
# (the services started here keep the handles they inherit).
set -u
export WINEPREFIX=$1
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64)
log="$WINEPREFIX.scheduler.log"
state="$WINEPREFIX.schedule-state.txt"

"$wine" reg add 'HKLM\SOFTWARE\Microsoft\SchedulingAgent' /v TasksFolder /t REG_EXPAND_SZ \
  /d '%SystemRoot%\Tasks' /f </dev/null >>"$log" 2>&1 || { echo "reg add failed (see $log)"; exit 1; }

for attempt in 1 2 3 4 5; do
  "$wine" net start Schedule </dev/null >>"$log" 2>&1
  "$wine" sc query Schedule </dev/null >"$state" 2>&1
  if grep -q "RUNNING" "$state"; then
    echo "Schedule service running; TasksFolder = %SystemRoot%\\Tasks"
    exit 0
  fi
  sleep 2
done
echo "the Schedule service did not start (see $log and $state)"
exit 1
