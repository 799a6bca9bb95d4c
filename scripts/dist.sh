#!/usr/bin/env bash
# Release build: Tardo.dll for x64 and x86, each from a fresh build folder,
# into dist/x64/Tardo.dll and dist/x86/Tardo.dll, and the release zip
# dist/Tardo-VERSION-windows.zip (VERSION from CMakeLists.txt's project()):
#   x64/Tardo.dll, x86/Tardo.dll,
#   Tardo.txt   the user guide: README.md's part for users as plain text with
#               CRLF line ends (scripts/user-guide.py),
#   LICENSE     with CRLF line ends,
#   SHA256SUMS  of those four files.
# dist/SHA256SUMS lists the two DLLs and the zip.
# With SOURCE_DATE_EPOCH set, two runs give byte-identical files:
#   - the PE header gets no link time stamp (--no-insert-timestamp);
#   - the version resource's "Build" is SOURCE_DATE_EPOCH (string(TIMESTAMP)
#     honours it), written in UTC so the time zone does not matter;
#   - the version resource's "Built On" is the fixed builder name below
#     (TARDO_BUILT_ON), not the building machine's name;
#   - the DLL is stripped, and source paths are written relative to the
#     source tree (-ffile-prefix-map), so neither the checkout's folder nor
#     the build folder matters;
#   - the zip's entries are dated SOURCE_DATE_EPOCH, in a fixed order, with
#     fixed permissions (scripts/release-zip.py).
# So two machines with the same tool versions, in any folders, under any host
# or user names, give the same bytes (scripts/quality/reproducible.sh checks it).
#   TARDO_DIST_BUILD   build folders (default build/dist)
#   TARDO_DIST_OUT     output folder (default dist)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
root=${TARDO_DIST_BUILD:-build/dist}
out=${TARDO_DIST_OUT:-dist}
version=$(sed -n 's/^project(Tardo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no project(Tardo VERSION ...) in CMakeLists.txt"; exit 1; }
zip=Tardo-$version-windows.zip
export TZ=UTC
# Whoever builds a release, "Built On" names the release build, not the machine.
export TARDO_BUILT_ON=tardo-release
[ -n "${SOURCE_DATE_EPOCH:-}" ] ||
  echo "note: SOURCE_DATE_EPOCH is not set; the version resource and the zip record the time of this build"

for arch in x64 x86; do
  case $arch in x64) preset=win64 triple=x86_64-w64-mingw32 ;; x86) preset=win32 triple=i686-w64-mingw32 ;; esac
  rm -rf "${root:?}/$arch"
  # The flags reach the compiler through a shell: in double quotes, the
  # folder may hold blanks (CMake drops single quotes around a -D value).
  cmake --preset "$preset" -B "$root/$arch" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="-ffile-prefix-map=\"$PWD/=\"" \
    -DCMAKE_SHARED_LINKER_FLAGS="-s -Wl,--no-insert-timestamp" >/dev/null
  cmake --build "$root/$arch" -j "${TARDO_JOBS:-2}" --target Tardo >/dev/null
  mkdir -p "$out/$arch"
  cp "$root/$arch/bin/Tardo.dll" "$out/$arch/Tardo.dll"
  # The same header checks as the test suite's: exports and imports.
  bash tests/static/check_dll.sh "$triple-objdump" "$out/$arch/Tardo.dll" "plugin/Tardo-$arch.def" >/dev/null ||
    { echo "$out/$arch/Tardo.dll fails its header checks"; exit 1; }
done

# The zip, from a folder holding exactly what goes in it.
stage=$root/zip
rm -rf "$stage"
mkdir -p "$stage/x64" "$stage/x86"
cp "$out/x64/Tardo.dll" "$stage/x64/"
cp "$out/x86/Tardo.dll" "$stage/x86/"
python3 scripts/user-guide.py README.md "$version" "$stage/Tardo.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE"
(cd "$stage" && sha256sum x64/Tardo.dll x86/Tardo.dll Tardo.txt LICENSE >SHA256SUMS)
rm -f "$out/$zip"
python3 scripts/release-zip.py "$out/$zip" "$stage" x64/Tardo.dll x86/Tardo.dll Tardo.txt LICENSE SHA256SUMS

(cd "$out" && sha256sum x64/Tardo.dll x86/Tardo.dll "$zip" >SHA256SUMS)
for file in x64/Tardo.dll x86/Tardo.dll "$zip"; do
  printf '%s/%s  %s bytes\n' "$out" "$file" "$(stat -c %s "$out/$file")"
done
echo "$out/SHA256SUMS:"
cat "$out/SHA256SUMS"
