#!/usr/bin/env bash
# Installs the system packages that building, running and testing need.
# Quick and silent when everything is already there.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
pkg_ok() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

for p in cmake g++ make mingw-w64 mingw-w64-tools wine wine32:i386 wine64 libwine-dev \
         xvfb xauth googletest x11-apps imagemagick xdotool fonts-liberation fonts-wine nsis stress-ng \
         zip unzip osslsigncode openssl; do
  pkg_ok "$p" || need+=("$p")
done

[ ${#need[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
echo "setup: installing ${need[*]}" >&2
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
