#!/usr/bin/env bash
# The installer's test, in a fresh throwaway prefix of one architecture:
#   install_test.sh win32|win64 TEST_PROGRAM
# It makes the prefix, records its registry and files, runs the test program
# (install, run, install again, uninstall: installer/installer_wine_test.cpp),
# restarts the prefix as Windows restarts (the uninstaller's copy of itself in
# the temp folder goes then) and records again. Nothing the installers made
# may be left: the two records must be the same but for the user's settings,
# which a silent uninstall keeps. Exit code 77 (skipped) when the installer
# has not been built (scripts/package.sh builds it) or cannot run here.
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
VT_SETUP="$(winepath -w "$setup")" VT_GAUGE_EXAMPLE="$(winepath -w "$root/docs/gauge-example.vbs")" wine "$program"
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
[ $rc -eq 0 ] && echo "install_test: $arch prefix as before but for the kept settings"
exit $rc
