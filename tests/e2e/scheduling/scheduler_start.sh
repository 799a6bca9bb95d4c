#!/usr/bin/env bash
# Setup of the wine_scheduler fixture: the TasksFolder value as Windows has
# it, in both registry views, and the Schedule service started, in the build's own prefix.
#   scheduler_start.sh PREFIX [DLLPATH]
# Everything Wine prints goes to a log file, never to the caller's pipes
# (the services started here keep the handles they inherit).
set -u
. "$(dirname "$0")/../../wine/wine-env.sh" "$1" "${2:-}"
log="$WINEPREFIX.scheduler.log"
state="$WINEPREFIX.schedule-state.txt"

# Both registry views, as a 64-bit Windows must have it for 32-bit hosts too.
for view in 64 32; do
  "$wine" reg add 'HKLM\SOFTWARE\Microsoft\SchedulingAgent' /v TasksFolder /t REG_EXPAND_SZ \
    /d '%SystemRoot%\Tasks' /f /reg:$view </dev/null >>"$log" 2>&1 || { echo "reg add failed (see $log)"; exit 1; }
done

# Wine's scheduler would start the jobs that earlier runs left in a kept
# prefix every day at their hour and minute: they go before it starts.
rm -f "$WINEPREFIX"/drive_c/windows/tasks/Tardo-*.job

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
