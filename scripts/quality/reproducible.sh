#!/usr/bin/env bash
# Builds the release twice (scripts/dist.sh), each time in fresh build folders
# of different names, with the same SOURCE_DATE_EPOCH (as given, or else the
# last commit's time), and checks that both give byte-identical DLLs. On a
# difference it shows where the files part.
set -euo pipefail
cd "$(dirname "$0")/../.."
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
root=build/reproducible
rm -rf "$root"
for run in first second; do
  echo "=== dist, $run build (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
  TARDO_DIST_BUILD=$root/$run-build TARDO_DIST_OUT=$root/$run bash scripts/dist.sh
done
status=0
for arch in x64 x86; do
  a=$root/first/$arch/Tardo.dll b=$root/second/$arch/Tardo.dll
  if cmp -s "$a" "$b"; then
    echo "$arch/Tardo.dll: identical ($(sha256sum <"$a" | cut -c1-16)...)"
  else
    status=1
    echo "$arch/Tardo.dll: DIFFERENT, $(cmp -l "$a" "$b" | wc -l) bytes differ; headers:"
    objdump=$([ $arch = x64 ] && echo x86_64 || echo i686)-w64-mingw32-objdump
    diff <("$objdump" -p "$a") <("$objdump" -p "$b") | head -20 || true
  fi
done
echo "=== reproducible: $([ $status -eq 0 ] && echo "both builds byte-identical" || echo FAILED)"
exit $status
