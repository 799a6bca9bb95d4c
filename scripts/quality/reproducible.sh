#!/usr/bin/env bash
# Builds the release twice (scripts/dist.sh) with the same SOURCE_DATE_EPOCH (as
# given, or else the last commit's time), the way two machines would: each from
# its own copy of this checkout, in folders of different names and depths, the
# second under another host name (a UTS namespace: root makes one directly,
# any other user inside a user namespace of its own) and another user name
# (USER, LOGNAME). Checks that both give byte-identical DLLs
# and release zips, and that neither the folders nor the home folder nor the
# second build's host or user name is in the DLLs. On a difference it shows
# where the files part.
set -euo pipefail
cd "$(dirname "$0")/../.."
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
namespace=(unshare --uts)
"${namespace[@]}" true 2>/dev/null || namespace=(unshare --user --map-root-user --uts)
"${namespace[@]}" true 2>/dev/null || {
  echo "=== reproducible: FAILED, cannot build under another host name here (neither unshare --uts nor unshare --user --map-root-user --uts is permitted)"
  exit 1
}
second_host=tardo-second-builder
second_user=tardo-second-user
root=$PWD/build/reproducible
rm -rf "$root"
# Both copies come from one snapshot of the working tree (what git tracks or
# would track), so an edit made meanwhile cannot tell the two builds apart.
first_src=$root/first-machine/tardo
second_src=$root/second-machine/home/builder/src/tardo-checkout
mkdir -p "$first_src" "$second_src"
git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - | tar -C "$first_src" -xf -
cp -a "$first_src/." "$second_src/"

echo "=== dist, first build (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH) in $first_src, host $(hostname)"
(cd "$first_src" && TARDO_DIST_OUT=$root/first bash scripts/dist.sh)
echo "=== dist, second build (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH) in $second_src, host $second_host, user $second_user"
"${namespace[@]}" bash -c '
  hostname "$1" && [ "$(hostname)" = "$1" ] || { echo "could not set the host name $1"; exit 1; }
  cd "$2" && USER=$3 LOGNAME=$3 TARDO_DIST_BUILD=out/release TARDO_DIST_OUT=$4 exec bash scripts/dist.sh
' _ "$second_host" "$second_src" "$second_user" "$root/second"

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
x86_64-w64-mingw32-windres -i "$root/second/x64/Tardo.dll" -O rc | grep '"Built On"' | tr -s ' ' || true

# Names that neither build may leave in what ships, as ASCII or UTF-16, in any
# case: the folders built in (every build folder lies inside one of them), the
# home folder, and the second build's host and user, each long enough not to
# turn up by chance.
names=("$first_src" "$second_src" "$second_host" "$second_user")
[ "${HOME:-/}" != / ] && names+=("$HOME")
python3 - "${names[@]}" -- "$root"/{first,second}/{x64,x86}/Tardo.dll <<'EOF' || status=1
import sys
split = sys.argv.index("--")
names, files = sys.argv[1:split], sys.argv[split + 1:]
found = False
for path in files:
    data = open(path, "rb").read().lower()
    for name in names:
        if any(name.lower().encode(e) in data for e in ("utf-8", "utf-16-le")):
            print(f"{path}: holds '{name}'")
            found = True
print("names of the build machine in the DLLs:", "FOUND" if found else "none of " + ", ".join(names))
sys.exit(1 if found else 0)
EOF
echo "=== reproducible: $([ $status -eq 0 ] && echo "both builds byte-identical, DLLs and zip" || echo FAILED)"
exit $status
