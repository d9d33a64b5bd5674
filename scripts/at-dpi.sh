#!/usr/bin/env bash
# ctest's runner for a Windows test program at another DPI: at-dpi.sh DPI ARCH
# PROGRAM [ARGS...] sets the per-user LogPixels of the test prefix, which Wine
# reads when each process starts, runs the program as wine-exec.sh does and
# takes the value away again, so the prefix goes back to 96 DPI. VT_DPI tells
# the program which DPI it was asked to run at.
set -uo pipefail
dpi=$1
export VT_ARCH=$2
shift 2
. "$(dirname "$0")/wine-env.sh" || exit 1
key='HKCU\Control Panel\Desktop'
restore() { wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1 </dev/null; }
trap 'restore; exit 1' INT TERM
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null ||
  { echo "at-dpi: cannot set LogPixels in $WINEPREFIX" >&2; exit 1; }
VT_DPI=$dpi wine "$@"
rc=$?
restore
exit $rc
