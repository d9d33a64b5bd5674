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

# Everything shipped is signed (scripts/sign.sh): with the certificate and key
# that VT_SIGN_CERT and VT_SIGN_KEY name, for a release, or else with a
# throwaway test certificate made here, so that the signing path always runs.
# build/signing/ca.pem is what the signatures are checked against: the test
# certificate, or VT_SIGN_CA (by default the system's certificate authorities).
mkdir -p build/signing
if [ -n "${VT_SIGN_CERT:-}" ]; then
  cp "${VT_SIGN_CA:-/etc/ssl/certs/ca-certificates.crt}" build/signing/ca.pem
else
  export VT_SIGN_CERT="$root/build/signing/test-cert.pem" VT_SIGN_KEY="$root/build/signing/test-key.pem"
  openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj "/CN=Vantrel test signing (not for release)" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$VT_SIGN_KEY" -out "$VT_SIGN_CERT" 2>/dev/null
  cp "$VT_SIGN_CERT" build/signing/ca.pem
fi
export VT_SIGN_KEY
for f in build/win32/bin/Vantrel.exe build/win32/bin/Zelbo.ocx build/win64/bin/Vantrel.exe build/win64/bin/Zelbo.ocx; do
  scripts/sign.sh "$f"
done

mkdir -p dist
out="dist/Vantrel-$version-setup.exe"
# The uninstaller is signed before the installer takes it in, then the installer.
makensis -V2 -DVERSION="$version" -DWIN32_BIN="$root/build/win32/bin" -DWIN64_BIN="$root/build/win64/bin" \
  -DOUTFILE="$root/$out" -DSIGN="$root/scripts/sign.sh" installer/vantrel.nsi
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
