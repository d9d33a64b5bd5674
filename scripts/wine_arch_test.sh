#!/usr/bin/env bash
# The architecture check that ./test and ./run rely on: a 32-bit check forced
# to fail gives its reason in words and leaves the 64-bit check alone; a
# machine's own answer for win32 agrees with whether its 32-bit loader runs.
set -u
# The checks below set the switch themselves: start without it.
unset VT_NO_WIN32
here="$(cd "$(dirname "$0")" && pwd)"
fails=0
check() {  # check NAME CONDITION...
  local name=$1
  shift
  if "$@"; then echo "ok: $name"; else echo "FAILED: $name"; fails=$((fails + 1)); fi
}

why=$(VT_NO_WIN32=1 "$here/wine-arch.sh" win32)
rc=$?
check "forced 32-bit check fails" test $rc -eq 1
check "forced 32-bit check says why" grep -q "cannot execute 32-bit programs" <<<"$why"

plain=$("$here/wine-arch.sh" win64)
forced=$(VT_NO_WIN32=1 "$here/wine-arch.sh" win64)
check "64-bit check ignores the 32-bit switch" test "$plain" = "$forced"

if /usr/lib/wine/wine --version >/dev/null 2>&1; then loader=0; else loader=1; fi
"$here/wine-arch.sh" win32 >/dev/null
check "32-bit check agrees with the loader" test $? -eq $loader

"$here/wine-arch.sh" win16 >/dev/null 2>&1
check "unknown architecture is a usage error" test $? -eq 2

echo "$((5 - fails)) passed, $fails failed"
[ $fails -eq 0 ]
