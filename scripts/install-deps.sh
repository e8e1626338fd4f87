#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the builds and tests need and this
# machine lacks. Needs root for that; without root it only says what is missing.
set -u
packages=(cmake ninja-build g++ googletest libgtest-dev
          mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 fonts-wine xvfb xauth x11-utils imagemagick xdotool
          clang libclang-rt-14-dev python3 python3-pefile)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages (run as root to install them): ${missing[*]}" >&2
    exit 1
  fi
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq || true
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || {
    echo "apt-get install failed" >&2; exit 1; }
fi

exit 0
