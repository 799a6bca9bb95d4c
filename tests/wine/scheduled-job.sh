# Sourced by what has Wine's scheduler run a real job (scripts/run-main.sh,
# tests/e2e/scheduling/runs_job.sh): the steps they share.

# A POSIX path as Wine's programs name it, by the rule of the end-to-end
# suites (tests/e2e/support/shellrun.py).
windows_path() {
  python3 -c 'import sys; sys.path.insert(0, sys.argv[1]); import shellrun
print(shellrun.windows_path(sys.argv[2]), end="")' "$(dirname "${BASH_SOURCE[0]}")/../e2e/support" "$1"
}

# The job's minute: today's next minute at least 30 s away, time enough to
# start Wine and register the job on a busy machine. Wine's scheduler takes
# a one-time trigger's hour and minute with today's date, so a minute past
# midnight waits for midnight. Sets target (seconds since the epoch) and at
# (hh:mm).
next_minute() {
  local now
  while :; do
    now=$(date +%s)
    target=$(((now / 60 + 1) * 60))
    [ $((target - now)) -ge 30 ] || target=$((target + 60))
    [ "$(date -d "@$target" +%F)" != "$(date -d "@$now" +%F)" ] || break
    echo "waiting for midnight, so that the job falls on the same day"
    sleep $(($(date -d 'tomorrow 00:00:01' +%s) - now))
  done
  at=$(date -d "@$target" +%H:%M)
}

# True once the last line of the file has ended: what the job wrote is whole.
line_ended() { [ "$(tail -c 1 "$1" 2>/dev/null | od -An -c | tr -d ' ')" = '\n' ]; }
