#!/usr/bin/env bash
# Installs what building and testing Rolecue needs on a Debian machine.
# Idempotent: does nothing when everything is already there. Run as root.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for p in cmake g++ make clang clang-format libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev \
         libtinyxml2-dev libpugixml-dev \
         g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 \
         wine wine64 xvfb xdotool x11-utils imagemagick locales fonts-ipafont-gothic \
         python3; do
  have_pkg "$p" || need+=("$p")
done

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  : # 64-bit Wine is enough: Rolecue.exe and its tests are x86_64 programs.
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ ${#need[@]} -gt 0 ]; then
  echo "deps: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "deps: generating ja_JP.UTF-8"
  if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen >/dev/null
fi
