#!/usr/bin/env bash
# Creates, starts or stops the build's own Wine prefix.
#   prefix.sh start PREFIX [DLLPATH]   create the prefix if needed and keep its wineserver running
#   prefix.sh stop PREFIX [DLLPATH]    shut the prefix's wineserver down
# DLLPATH: Wine's 32-bit DLLs, for a prefix that runs x86 programs.
# Wine's background services inherit the standard handles of whatever first
# starts the wineserver, so everything here writes to a log file, never to
# the caller's pipes. Every step has a bound far above what it takes.
set -u
action=$1
. "$(dirname "$0")/wine-env.sh" "$2" "${3:-}"
log="$WINEPREFIX.log"

case "$action" in
  start)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      mkdir -p "$WINEPREFIX"
      timeout 180 "$wine" wineboot -i </dev/null >>"$log" 2>&1
      timeout 60 "$wineserver" -w </dev/null >>"$log" 2>&1
      # Right after creation a prefix can have two service managers: restart.
      timeout 60 "$wineserver" -k </dev/null >>"$log" 2>&1
      timeout 60 "$wineserver" -w </dev/null >>"$log" 2>&1
    fi
    timeout 60 "$wineserver" -p </dev/null >>"$log" 2>&1
    timeout 120 "$wine" wineboot </dev/null >>"$log" 2>&1
    [ -f "$WINEPREFIX/system.reg" ] || { echo "could not create the Wine prefix (see $log)"; exit 1; }
    echo "Wine prefix ready: $WINEPREFIX"
    ;;
  stop)
    timeout 60 "$wineserver" -k </dev/null >>"$log" 2>&1
    timeout 60 "$wineserver" -w </dev/null >>"$log" 2>&1
    echo "Wine prefix stopped"
    ;;
  *) echo "usage: prefix.sh start|stop PREFIX [DLLPATH]" >&2; exit 2 ;;
esac
