#!/usr/bin/env bash
# Wine's scheduler really runs a job the plug-in registered: schedule_marker
# registers "SHELL /c cd > MARKER" for the next minute; the job must write
# its working directory, the shell's folder, into MARKER within 150 seconds.
#   runs_job.sh WINE_RUN BIN_DIR WORK_DIR SHELL
# SHELL is a Windows path (C:\...) or a program in BIN_DIR (hostshell.exe).
set -u
run=$1
bin=$2
work=$3
shell=$4
windows() { printf 'Z:%s' "$1" | tr '/' '\\'; }
case "$shell" in
  *\\*) ;;
  *) shell=$(windows "$bin/$shell") ;;
esac
mkdir -p "$work"
marker="$work/marker.txt"
rm -f "$marker"

"$run" "$bin/schedule_marker.exe" "$shell" "$(windows "$marker")" \
  </dev/null >"$work/schedule.out" 2>"$work/schedule.err"
status=$?
if [ $status -ne 0 ]; then
  echo "schedule_marker failed with $status:"; cat "$work/schedule.out" "$work/schedule.err"
  exit 1
fi
echo "registered: $(cat "$work/schedule.out")"

for second in $(seq 150); do
  [ -s "$marker" ] && break
  sleep 1
done
if [ ! -s "$marker" ]; then
  echo "no marker after 150 s"
  exit 1
fi
sleep 1  # let the shell finish writing
got=$(tr -d '\r\n' <"$marker")
want=${shell%\\*}
echo "ran after about $second s in: $got"
if [ "${got,,}" != "${want,,}" ]; then
  echo "expected the job to run in $want"
  exit 1
fi
