#!/usr/bin/env bash
# Installs every Debian package the project needs, only when something is
# missing (with the recommended packages: Wine is tested that way). A failing
# index in apt-get update does not stop it (scripts/apt-steps.sh); a package
# that cannot be installed does, with one line naming it.
set -euo pipefail
name=install-deps
apt_options=()
. "$(dirname "$0")/apt-steps.sh"
packages=(cmake ninja-build g++ clang libclang-rt-dev llvm googletest libgtest-dev libgmock-dev
          libbenchmark-dev g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64
          wine64 faketime valgrind python3 cppcheck clang-tidy clang-format gcovr)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  apt_update
  apt_fetch "${missing[*]}" \
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
bash "$(dirname "$0")/install-wine32.sh"
