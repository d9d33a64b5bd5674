#!/usr/bin/env bash
# Builds the installer dist/Vantrel-<version>-setup.exe with NSIS from the
# Release builds of both architectures, building them first when needed.
# VT_PACKAGE_NO_BUILD=1 takes the binaries as they are (./test has just built them).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh
version=$(scripts/version.sh)
if [ -z "${VT_PACKAGE_NO_BUILD:-}" ]; then
  for arch in win32 win64; do
    case $arch in
      win32) toolchain=cmake/mingw-i686.cmake ;;
      win64) toolchain=cmake/mingw-x86_64.cmake ;;
    esac
    cmake -S . -B "build/$arch" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "build/$arch" -j"${VT_JOBS:-2}" --target Vantrel Zelbo >"build/package-$arch-build.log" 2>&1 ||
      { cat "build/package-$arch-build.log"; exit 1; }
  done
fi
for f in build/win32/bin/Vantrel.exe build/win32/bin/Zelbo.ocx build/win64/bin/Vantrel.exe build/win64/bin/Zelbo.ocx; do
  [ -f "$f" ] || { echo "package: $f is missing" >&2; exit 1; }
done
mkdir -p dist
out="dist/Vantrel-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DWIN32_BIN="$root/build/win32/bin" -DWIN64_BIN="$root/build/win64/bin" \
  -DOUTFILE="$root/$out" installer/vantrel.nsi
echo "package: $out"
