#!/usr/bin/env bash
# The portable archive's test, in a fresh throwaway prefix of one
# architecture where nothing is registered:
#   portable_test.sh win32|win64 TEST_PROGRAM
# It unzips dist/Vantrel-<version>-portable-<arch>.zip into a folder of the
# prefix, records the prefix, runs the test program (start, four gauges,
# Exit: installer/portable_wine_test.cpp) and records again: the machine's
# registry must be the same, and the user's settings key must be there. Exit
# code 77 (skipped) when the archive has not been built (scripts/package.sh).
#
# Wine grants every program all rights on the machine's keys, so what a user
# without them would meet is shown here by the machine's registry left as it
# was.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
arch=$1
program=$2
archive="$root/dist/Vantrel-$("$here/version.sh")-portable-$arch.zip"
[ -f "$archive" ] || { echo "portable_test: $archive is missing: scripts/package.sh builds it" >&2; exit 77; }

export VT_ARCH=$arch VT_WINEPREFIX="$root/build/$arch/wineprefix-portable"
. "$here/wine-env.sh" || exit 1
work="$root/build/$arch/portable-test"
rm -rf "$WINEPREFIX" "$work"
mkdir -p "$work"
VT_UNMANAGED=1 "$here/wine-prefix.sh" || { echo "portable_test: cannot make the prefix" >&2; exit 1; }
folder="$WINEPREFIX/drive_c/Portable Apps/Vantrel"
mkdir -p "$folder"
unzip -q "$archive" -d "$folder" || exit 1
# The first window of a new prefix makes Wine rewrite the display's keys of
# the machine's registry: open one (rundll32's own) before the first record.
wine rundll32.exe user32.dll,MessageBeep >/dev/null 2>&1 </dev/null
wineserver -k
wineserver -w
. "$here/prefix-record.sh"
record "$work/before"

# Wine's helper processes inherit the first client's output: start them with
# output to nowhere, so the test runner reads only the test's own output.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null
VT_PORTABLE="$(winepath -w "$folder")" wine "$program"
rc=$?
wineserver -k
wineserver -w
record "$work/after"

same "portable_test: the machine's registry changed" "$work/before.system.reg" "$work/after.system.reg" || rc=1
has_settings "$work/after" || { echo "portable_test: no settings in the user's key" >&2; rc=1; }
[ $rc -eq 0 ] && echo "portable_test: $arch: nothing registered, the machine's registry as before"
exit $rc
