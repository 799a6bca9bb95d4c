#!/usr/bin/env bash
# Wine's 32-bit Windows DLLs, so that wine64 runs the x86 build in its WoW64
# mode: Debian's libwine:i386 of exactly the installed wine64 version,
# downloaded and unpacked (its i386 dependencies are not needed, and the
# machine's own apt set-up is left alone). Idempotent; about 10 s and 550 MB
# the first time.
#   TARDO_CACHE   where it goes (default /var/cache/tardo); the build finds
#                 it as $TARDO_CACHE/wine-i386 (WINEDLLPATH is
#                 $TARDO_CACHE/wine-i386/usr/lib/i386-linux-gnu/wine)
set -euo pipefail
cache=${TARDO_CACHE:-/var/cache/tardo}
version=$(dpkg-query -W -f='${Version}' wine64)
unpacked=$cache/wine-i386-$version
link=$cache/wine-i386
if [ -f "$unpacked/usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll" ]; then
  [ "$(readlink "$link" 2>/dev/null)" = "$unpacked" ] || ln -sfn "$unpacked" "$link"
  exit 0
fi

name=install-wine32
work=$cache/apt
apt_options=(-o APT::Architectures::=amd64 -o APT::Architectures::=i386 -o APT::Sandbox::User=root
             -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache")
. "$(dirname "$0")/apt-steps.sh"
echo "fetching Wine's 32-bit DLLs: libwine:i386 $version into $unpacked"
$as_root mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
apt_update
(cd "$work" && apt_fetch "libwine:i386=$version" $as_root apt-get "${apt_options[@]}" -qq download "libwine:i386=$version")
$as_root rm -rf "$unpacked.partial"
$as_root dpkg -x "$work"/libwine_*_i386.deb "$unpacked.partial"
$as_root mv "$unpacked.partial" "$unpacked"
$as_root ln -sfn "$unpacked" "$link"
# Only the version that matches wine64 is kept.
for old in "$cache"/wine-i386-*; do
  [ "$old" = "$unpacked" ] || $as_root rm -rf "$old"
done
$as_root rm -rf "$work"
