#!/usr/bin/env bash
# ctest's emulator: runs one cross-built program of architecture $1 (win32 or
# win64) under Wine, exit code passed through.
export VT_ARCH="$1"
shift
. "$(dirname "$0")/wine-env.sh" || exit 1
exec wine "$@"
