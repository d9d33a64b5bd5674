#!/usr/bin/env bash
# Builds the installer dist/Vantrel-<version>-setup.exe with NSIS, and the
# portable archives dist/Vantrel-<version>-portable-win32.zip and -win64.zip,
# from the Release builds of both architectures, building them first when
# needed.
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

# The portable archives: the program and its gauge module of one kind with a
# short read-me in Windows line ends, to run from any folder. -X leaves out
# the owner and time stamps of Unix.
for arch in win32 win64; do
  case $arch in
    win32) kind="32-bit" ;;
    win64) kind="64-bit" ;;
  esac
  stage="build/$arch/portable"
  zip="dist/Vantrel-$version-portable-$arch.zip"
  rm -rf "$stage" "$zip"
  mkdir -p "$stage"
  cp "build/$arch/bin/Vantrel.exe" "build/$arch/bin/Zelbo.ocx" "$stage/"
  sed -e "s/@VERSION@/$version/g" -e "s/@KIND@/$kind/" -e 's/$/\r/' installer/portable-readme.txt >"$stage/README.txt"
  (cd "$stage" && zip -q -X "$root/$zip" Vantrel.exe Zelbo.ocx README.txt)
  echo "package: $zip"
done
