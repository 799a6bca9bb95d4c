#!/usr/bin/env bash
# Creates, starts or stops the build's own Wine prefix.
#   prefix.sh start PREFIX   create the prefix if needed and keep its wineserver running
#   prefix.sh stop PREFIX    shut the prefix's wineserver down
# Wine's background services inherit the standard handles of whatever first
# starts the wineserver, so everything here writes to a log file, never to
# the caller's pipes.
set -u
action=$1
# Wine turns file names and arguments into wide text through the Unix locale:
# without a UTF-8 one, non-ASCII names are lost.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *UTF-8*|*utf8*|*UTF8*|*utf-8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac
export WINEPREFIX=$2
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver
[ -x "$wine" ] || wine=$(command -v wine64)
[ -x "$server" ] || server=$(command -v wineserver)
log="$WINEPREFIX.log"

case "$action" in
  start)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      mkdir -p "$WINEPREFIX"
      "$wine" wineboot -i </dev/null >>"$log" 2>&1
      "$server" -w </dev/null >>"$log" 2>&1
      # Right after creation a prefix can have two service managers: restart.
      "$server" -k </dev/null >>"$log" 2>&1
      "$server" -w </dev/null >>"$log" 2>&1
    fi
    "$server" -p </dev/null >>"$log" 2>&1
    "$wine" wineboot </dev/null >>"$log" 2>&1
    [ -f "$WINEPREFIX/system.reg" ] || { echo "could not create the Wine prefix (see $log)"; exit 1; }
    echo "Wine prefix ready: $WINEPREFIX"
    ;;
  stop)
    "$server" -k </dev/null >>"$log" 2>&1
    "$server" -w </dev/null >>"$log" 2>&1
    echo "Wine prefix stopped"
    ;;
  *) echo "usage: prefix.sh start|stop PREFIX" >&2; exit 2 ;;
esac
