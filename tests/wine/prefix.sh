#!/usr/bin/env bash
# Creates, starts or stops the build's own Wine prefix.
#   prefix.sh start PREFIX [DLLPATH]   create the prefix if needed and keep its wineserver running
#   prefix.sh stop PREFIX [DLLPATH]    shut the prefix's wineserver down
# DLLPATH: Wine's 32-bit DLLs, for a prefix that runs x86 programs.
# Wine's background services inherit the standard handles of whatever first
# starts the wineserver, so everything here writes to a log file, never to
# the caller's pipes. Every step has a bound far above what it takes; a step
# that reaches it fails the whole start or stop, in one line.
set -u
action=$1
. "$(dirname "$0")/wine-env.sh" "$2" "${3:-}"
log="$WINEPREFIX.log"

# step SECONDS COMMAND...: one step, its output to the log. Only running
# out of time is judged here: what each step leaves behind is checked after.
step() {
  local limit=$(($1 * slowdown)) status
  shift
  timeout "$limit" "$@" </dev/null >>"$log" 2>&1
  status=$?
  if [ $status -eq 124 ]; then
    echo "Wine prefix: ${1##*/} ${*:2} did not end within $limit s (see $log)"
    exit 1
  fi
  return $status
}

case "$action" in
  start)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      mkdir -p "$WINEPREFIX"
      step 180 "$wine" wineboot -i
      step 60 "$wineserver" -w
      # Right after creation a prefix can have two service managers: restart.
      step 60 "$wineserver" -k
      step 60 "$wineserver" -w
    fi
    step 60 "$wineserver" -p
    step 120 "$wine" wineboot
    [ -f "$WINEPREFIX/system.reg" ] || { echo "could not create the Wine prefix (see $log)"; exit 1; }
    # A desktop kept for the prefix's life, as a Windows session has one:
    # otherwise each program that needs it starts explorer.exe anew, which
    # ends again with the program. A console that waits for input it never
    # gets (a FIFO it holds open itself) stays a user of the desktop until
    # the wineserver stops.
    hold=$WINEPREFIX.desktop
    [ -p "$hold" ] || mkfifo "$hold"
    "$wine" cmd.exe /k <>"$hold" >>"$log" 2>&1 &
    echo "Wine prefix ready: $WINEPREFIX"
    ;;
  stop)
    step 60 "$wineserver" -k
    step 60 "$wineserver" -w
    echo "Wine prefix stopped"
    ;;
  *) echo "usage: prefix.sh start|stop PREFIX [DLLPATH]" >&2; exit 2 ;;
esac
