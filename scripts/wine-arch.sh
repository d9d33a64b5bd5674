#!/usr/bin/env bash
# Tells whether this machine runs the Windows programs of one architecture
# (win32 or win64) under Wine: silent with status 0 when it does, otherwise
# the reason in words and status 1. VT_NO_WIN32=1 makes the 32-bit check fail
# as it does on a kernel that executes no 32-bit code.
case "${1:-}" in
  win32)
    if [ -n "${VT_NO_WIN32:-}" ]; then
      echo "this kernel cannot execute 32-bit programs (VT_NO_WIN32 is set)"
      exit 1
    fi
    [ -x /usr/lib/wine/wine ] || { echo "32-bit Wine (wine32:i386) is not installed"; exit 1; }
    # Installing wine32 succeeds on kernels that cannot run it: run its loader.
    /usr/lib/wine/wine --version >/dev/null 2>&1 ||
      { echo "this kernel cannot execute 32-bit programs"; exit 1; }
    ;;
  win64)
    [ -x /usr/lib/wine/wine64 ] || { echo "64-bit Wine (wine64) is not installed"; exit 1; }
    /usr/lib/wine/wine64 --version >/dev/null 2>&1 ||
      { echo "the 64-bit Wine loader does not run here"; exit 1; }
    ;;
  *)
    echo "usage: wine-arch.sh win32|win64" >&2
    exit 2
    ;;
esac
