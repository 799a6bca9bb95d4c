#!/usr/bin/env bash
# Checks a built Tardo.dll from its headers alone (runs for x64 and x86):
# the export table holds exactly the six names the host calls, undecorated,
# and the import table names only system DLLs and the host's TakeCmd.dll,
# from which it imports at least one service, by its plain name.
#   check_dll.sh OBJDUMP DLL
# The names are the host's contract, written here rather than read from the
# .def files the DLL is linked with: a name lost from those must fail here.
set -u
objdump=$1 dll=$2
expected_exports=$(printf '%s\n' GetPluginInfo InitializePlugin ShutdownPlugin Help Usage tardo | sort)
headers=$("$objdump" -p "$dll") || { echo "cannot read $dll"; exit 1; }
failures=0

exports=$(printf '%s\n' "$headers" |
  awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^[[:space:]]*\[/{print $NF; next} on && NF==0{on=0}' | sort)
if [ "$exports" != "$expected_exports" ]; then
  echo "exports differ:"; diff <(echo "$expected_exports") <(echo "$exports"); failures=1
else
  echo "exports: $(echo $exports)"
fi

allowed='^(KERNEL32|USER32|ADVAPI32|OLE32|OLEAUT32|MSVCRT|TakeCmd)\.dll$'
imports=$(printf '%s\n' "$headers" | awk '/DLL Name:/{print $3}')
for name in $imports; do
  if ! printf '%s\n' "$name" | grep -qiE "$allowed"; then
    echo "unexpected import: $name"; failures=1
  fi
done
echo "imports: $(echo $imports)"
printf '%s\n' "$imports" | grep -qx 'TakeCmd.dll' || { echo "TakeCmd.dll is not imported by that exact name"; failures=1; }
# The host's services are imported by plain name on every architecture.
host_names=$(printf '%s\n' "$headers" |
  awk '/DLL Name:/{on=($3=="TakeCmd.dll"); next} NF==0{on=0} on && /^[[:space:]]*[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]/{print $3}')
echo "from TakeCmd.dll: $(echo $host_names)"
# Output and expansion come from the host alone, so a DLL importing none of
# its services, or a reading of the table that finds none, is wrong.
[ -n "$host_names" ] || { echo "no service imported from TakeCmd.dll"; failures=1; }
if printf '%s\n' "$host_names" | grep -qE '@|^_'; then
  echo "decorated host service names"; failures=1
fi
exit $failures
