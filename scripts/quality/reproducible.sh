#!/usr/bin/env bash
# Builds the release twice (scripts/dist.sh), each time in fresh build folders
# of different names, with the same SOURCE_DATE_EPOCH (as given, or else the
# last commit's time), and checks that both give byte-identical DLLs and
# release zips. On a difference it shows where the files part.
set -euo pipefail
cd "$(dirname "$0")/../.."
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
root=build/reproducible
rm -rf "$root"
for run in first second; do
  echo "=== dist, $run build (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
  TARDO_DIST_BUILD=$root/$run-build TARDO_DIST_OUT=$root/$run bash scripts/dist.sh
done
# Each entry of a zip: name, date, permissions, CRC and sizes.
zip_entries() {
  python3 -c 'import sys, zipfile
for i in zipfile.ZipFile(sys.argv[1]).infolist():
    print(i.filename, i.date_time, oct(i.external_attr >> 16), hex(i.CRC), i.compress_size, i.file_size)' "$1"
}
status=0
zip=$(cd "$root/first" && ls Tardo-*-windows.zip)
for file in x64/Tardo.dll x86/Tardo.dll "$zip"; do
  a=$root/first/$file b=$root/second/$file
  if cmp -s "$a" "$b"; then
    echo "$file: identical ($(sha256sum <"$a" | cut -c1-16)...)"
  else
    status=1
    echo "$file: DIFFERENT, $(cmp -l "$a" "$b" 2>/dev/null | wc -l) bytes differ; where:"
    case $file in
      x64/*) diff <(x86_64-w64-mingw32-objdump -p "$a") <(x86_64-w64-mingw32-objdump -p "$b") | head -20 || true ;;
      x86/*) diff <(i686-w64-mingw32-objdump -p "$a") <(i686-w64-mingw32-objdump -p "$b") | head -20 || true ;;
      *) diff <(zip_entries "$a") <(zip_entries "$b") | head -20 || true ;;
    esac
  fi
done
echo "=== reproducible: $([ $status -eq 0 ] && echo "both builds byte-identical, DLLs and zip" || echo FAILED)"
exit $status
