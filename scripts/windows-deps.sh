#!/usr/bin/env bash
# Installs what the Windows cross build needs, only what is missing: the mingw-w64
# compilers, Wine (32- and 64-bit), the GoogleTest sources, and zip and unzip to write
# and check the packages.
set -euo pipefail
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
packages=(cmake make zip unzip googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64
          binutils-mingw-w64-i686 wine wine32:i386 wine64 "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
