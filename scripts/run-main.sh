#!/usr/bin/env bash
# The main job: builds Tardo.dll for x64 and x86, then, under Wine, starts the
# stand-in host with the plug-in loaded and schedules a real one-time job with
# Wine's Task Scheduler, one minute ahead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "${TARDO_JOBS:-2}" >/dev/null
done
bin=$PWD/build/win64/bin
echo "Built: build/win64/bin/Tardo.dll ($(stat -c %s "$bin/Tardo.dll") bytes), build/win32/bin/Tardo.dll ($(stat -c %s build/win32/bin/Tardo.dll) bytes)"

export WINEPREFIX=$PWD/build/main/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver
mkdir -p build/main
bash tests/wine/prefix.sh start "$WINEPREFIX" >/dev/null
"$wine" reg add 'HKLM\SOFTWARE\Microsoft\SchedulingAgent' /v TasksFolder /t REG_EXPAND_SZ \
  /d '%SystemRoot%\Tasks' /f </dev/null >>build/main/wine.log 2>&1
"$wine" net start Schedule </dev/null >>build/main/wine.log 2>&1 || true

session=build/main/session.btm
printf 'plugin /l %s\r\ntardo 1 minute echo Tardo was here\r\n' "Z:${bin//\//\\}\\Tardo.dll" >"$session"
echo "--- hostshell.exe session.btm"
status=0
"$wine" "$bin/hostshell.exe" "Z:${PWD//\//\\}\\build\\main\\session.btm" </dev/null || status=$?
echo "--- exit code $status; job files in the prefix's Tasks folder:"
find "$WINEPREFIX/drive_c/windows" -maxdepth 2 -ipath '*/tasks/tardo-*.job' -printf '%f\n' | grep . || echo "(none)"
bash tests/wine/prefix.sh stop "$WINEPREFIX" >/dev/null
exit $status
