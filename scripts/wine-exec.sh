#!/usr/bin/env bash
# ctest's emulator: runs one cross-built program under Wine, exit code passed through.
. "$(dirname "$0")/wine-env.sh"
exec wine "$@"
