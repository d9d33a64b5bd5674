#!/usr/bin/env bash
# Extra drive letters for the end-to-end tests, in the test prefix only:
# D: a fixed drive (a folder), E: a CD-ROM drive without medium (a link to a
# missing folder), F: a removable drive and G: a network drive (folders),
# under VT_TEST_DRIVES_DIR when it is set.
# Wine reads drive types when its mount manager starts, so this runs before
# the wineserver of a test run comes up.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
root="$(cd "$(dirname "$0")/.." && pwd)"
drives="${VT_TEST_DRIVES_DIR:-$root/build/$VT_ARCH/test-drives}"
mkdir -p "$drives/d" "$drives/f" "$drives/g"
rm -rf "$drives/e"
dev="$WINEPREFIX/dosdevices"
ln -sfn "$drives/d" "$dev/d:"
ln -sfn "$drives/e" "$dev/e:"
ln -sfn "$drives/f" "$dev/f:"
ln -sfn "$drives/g" "$dev/g:"
stamp="$WINEPREFIX/.vantrel-test-drives"
if [ ! -f "$stamp" ]; then
  {
    wine reg add 'HKLM\Software\Wine\Drives' /v d: /t REG_SZ /d hd /f
    wine reg add 'HKLM\Software\Wine\Drives' /v e: /t REG_SZ /d cdrom /f
    wine reg add 'HKLM\Software\Wine\Drives' /v f: /t REG_SZ /d floppy /f
    wine reg add 'HKLM\Software\Wine\Drives' /v g: /t REG_SZ /d network /f
  } </dev/null >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w
  touch "$stamp"
fi
