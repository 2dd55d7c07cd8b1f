#!/usr/bin/env bash
# Installs what the builds and tests need from Debian. Safe to run again:
# it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  python3
  cmake ninja-build g++ clang libclang-rt-dev llvm
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  googletest libgtest-dev libgmock-dev zlib1g-dev libz-mingw-w64-dev
  wine wine32:i386 wine64 xvfb xauth x11-apps
  dosfstools mtools ntfs-3g
  fonts-wine fonts-liberation2 imagemagick
  sox libsox-fmt-base p7zip-full gcab
  fp-utils
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  name=${p%%:*}; arch=${p#*:}; [ "$arch" = "$p" ] && arch=""
  if [ -n "$arch" ]; then q="$name:$arch"; else q="$name"; fi
  if ! dpkg-query -W -f='${Status}' "$q" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
