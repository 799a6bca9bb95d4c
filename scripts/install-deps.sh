#!/usr/bin/env bash
# Installs every Debian package the project needs, only when something is
# missing (with the recommended packages: Wine is tested that way).
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-dev llvm googletest libgtest-dev libgmock-dev
          libbenchmark-dev g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64
          wine64 faketime valgrind python3 cppcheck clang-tidy clang-format gcovr)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
bash "$(dirname "$0")/install-wine32.sh"
