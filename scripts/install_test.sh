#!/usr/bin/env bash
# The installer's test, in a fresh throwaway prefix of one architecture:
#   install_test.sh win32|win64 TEST_PROGRAM
# It makes the prefix, records its registry and files, runs the test program
# (install, run, install again, upgrade, uninstall:
# installer/installer_wine_test.cpp), restarts the prefix as Windows restarts
# (the files left in use and the uninstaller's copy of itself in the temp
# folder go then, and the uninstall entry left for them) and records again.
# Nothing the installers made may be left: the two records must be the same
# but for the user's settings, which a silent uninstall keeps. Every binary
# the packages ship carries a signature that checks out against
# build/signing/ca.pem. Exit code 77 (skipped) when the installer has not been
# built (scripts/package.sh builds it) or cannot run here.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
arch=$1
program=$2
setup="$root/dist/Vantrel-$("$here/version.sh")-setup.exe"
[ -f "$setup" ] || { echo "install_test: $setup is missing: scripts/package.sh builds it" >&2; exit 77; }
# The installer is a 32-bit program, as it must be to run on every Windows.
why=$("$here/wine-arch.sh" win32) || { echo "install_test: cannot run the installer: $why" >&2; exit 77; }

export VT_ARCH=$arch VT_WINEPREFIX="$root/build/$arch/wineprefix-install"
. "$here/wine-env.sh" || exit 1
work="$root/build/$arch/install-test"
rm -rf "$WINEPREFIX" "$work"
mkdir -p "$work"

# An earlier version to upgrade from, whose gauge modules differ from this
# build's (bytes appended past the end of the image change nothing else).
earlier="$work/earlier-setup.exe" earlier_version=0.9
for kind in win32 win64; do
  mkdir -p "$work/earlier/$kind"
  cp "$root/build/$kind/bin/Vantrel.exe" "$work/earlier/$kind/"
  { cat "$root/build/$kind/bin/Zelbo.ocx"; printf 'an earlier build'; } >"$work/earlier/$kind/Zelbo.ocx"
done
makensis -V1 -DVERSION=$earlier_version -DWIN32_BIN="$work/earlier/win32" -DWIN64_BIN="$work/earlier/win64" \
  -DOUTFILE="$earlier" "$root/installer/vantrel.nsi" >/dev/null || { echo "install_test: cannot make $earlier" >&2; exit 1; }
VT_UNMANAGED=1 "$here/wine-prefix.sh" || { echo "install_test: cannot make the prefix" >&2; exit 1; }
# The test drives the gauge from scripts, and the script host registers its
# own type library when it first runs: let it do so before the first record.
echo 'WScript.Quit 0' >"$WINEPREFIX/drive_c/warm-up.vbs"
hosts=('C:\windows\system32\cscript.exe')
[ "$arch" = win64 ] && hosts+=('C:\windows\syswow64\cscript.exe')
for host in "${hosts[@]}"; do
  wine "$host" //nologo 'C:\warm-up.vbs' >/dev/null 2>&1 </dev/null
done
rm "$WINEPREFIX/drive_c/warm-up.vbs"
wineserver -w

# The keys of the user's settings, which the uninstaller keeps.
export VT_SETTINGS_KEYS='^\[Software\\\\(Quorvale|Ostrel, Inc\.)(\\\\|\])'
. "$here/prefix-record.sh"
record "$work/before"

# Wine's helper processes inherit the first client's output: start them with
# output to nowhere, so the test runner reads only the test's own output.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null
VT_SETUP="$(winepath -w "$setup")" VT_EARLIER_SETUP="$(winepath -w "$earlier")" VT_EARLIER_VERSION=$earlier_version VT_GAUGE_EXAMPLE="$(winepath -w "$root/docs/gauge-example.vbs")" wine "$program"
rc=$?
wine wineboot -r >/dev/null 2>&1 </dev/null
wineserver -k
wineserver -w
record "$work/after"

for hive in system user; do
  awk -v RS= -v ORS='\n\n' '$0 !~ ENVIRON["VT_SETTINGS_KEYS"]' "$work/after.$hive.reg" >"$work/kept.$hive.reg"
  same "install_test: the $hive registry differs after uninstalling" "$work/before.$hive.reg" "$work/kept.$hive.reg" ||
    rc=1
done
same "install_test: files differ after uninstalling" "$work/before.files" "$work/after.files" || rc=1
has_settings "$work/after" || { echo "install_test: the user's settings are gone" >&2; rc=1; }

# The signatures of what ships: the installer, and the uninstaller and the
# binaries it installs (as the test program left copies of them), and the
# portable archives' binaries.
shipped=("$setup" "$WINEPREFIX"/drive_c/users/*/Temp/vantrel-shipped/*)
for zip in "$root"/dist/Vantrel-*-portable-*.zip; do
  unzip -q -o -d "$work/${zip##*/}" "$zip" '*.exe' '*.ocx'
  shipped+=("$work/${zip##*/}"/*)
done
[ ${#shipped[@]} -ge 8 ] || { echo "install_test: only ${#shipped[@]} shipped binaries found" >&2; rc=1; }
for f in "${shipped[@]}"; do
  osslsigncode verify -CAfile "$root/build/signing/ca.pem" -in "$f" >"$work/verify.log" 2>&1 ||
    { echo "install_test: no valid signature on $f:" >&2; tail -3 "$work/verify.log" >&2; rc=1; }
done
[ $rc -eq 0 ] && echo "install_test: $arch prefix as before but for the kept settings"
exit $rc
