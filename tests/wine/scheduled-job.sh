# Sourced by what has Wine's scheduler run a real job (scripts/run-main.sh,
# tests/e2e/scheduling/runs_job.sh): the steps they share.

# A POSIX path as Wine's programs name it: made absolute from the current
# folder and normalised, on drive Z:, with backslashes. The same rule as the
# end-to-end suites' (shellrun.windows_path in tests/e2e/support/shellrun.py).
windows_path() {
  local path=$1 part parts kept=()
  [[ $path == /* ]] || path=$PWD/$path
  IFS=/ read -r -a parts <<<"$path"
  for part in "${parts[@]}"; do
    case $part in
      "" | .) ;;
      ..) [ ${#kept[@]} -eq 0 ] || unset 'kept[-1]' ;;
      *) kept+=("$part") ;;
    esac
  done
  local IFS='\'
  printf 'Z:\\%s' "${kept[*]}"
}

# The job's minute: today's next minute at least 30 s away (times Wine's
# slowdown here, TARDO_WINE_SLOWDOWN), time enough to start Wine and
# register the job on a busy machine. Wine's scheduler takes
# a one-time trigger's hour and minute with today's date, so a minute past
# midnight waits for midnight. Sets target (seconds since the epoch) and at
# (hh:mm).
next_minute() {
  local now lead
  while :; do
    now=$(date +%s)
    target=$(((now / 60 + 1) * 60))
    lead=$((30 * ${TARDO_WINE_SLOWDOWN:-1}))
    while [ $((target - now)) -lt $lead ]; do target=$((target + 60)); done
    [ "$(date -d "@$target" +%F)" != "$(date -d "@$now" +%F)" ] || break
    echo "waiting for midnight, so that the job falls on the same day"
    sleep $(($(date -d 'tomorrow 00:00:01' +%s) - now))
  done
  at=$(date -d "@$target" +%H:%M)
}

# True once the last line of the file has ended: what the job wrote is whole.
line_ended() { [ "$(tail -c 1 "$1" 2>/dev/null | od -An -c | tr -d ' ')" = '\n' ]; }
