#!/usr/bin/env bash
# Runs a command with the private prefix ready, one display (Xvfb when there is
# none) and a warm wineserver; shuts the server down afterwards whatever the
# command's outcome.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

if [ -z "${DISPLAY:-}" ] || [ -n "${VT_FORCE_XVFB:-}" ]; then
  unset VT_FORCE_XVFB
  exec xvfb-run -a -s '-screen 0 1024x768x24' env DISPLAY_FROM_XVFB=1 "$0" "$@"
fi

. "$here/wine-env.sh"
"$here/wine-prefix.sh" || { echo "with-wine: cannot prepare the Wine prefix" >&2; exit 1; }
if [ -n "${VT_TEST_DRIVES:-}" ]; then
  "$here/test-drives.sh" || { echo "with-wine: cannot set up the test drives" >&2; exit 1; }
fi

# Wine's helper processes inherit the first client's pipes: start them here,
# with output to /dev/null, so no test runner waits on a pipe held open.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null
# The processor as Linux describes it, for the test of the CPUID record.
cpu_field() { awk -F'[ \t]*: ' -v k="$1" '$1 == k { print $2; exit }' /proc/cpuinfo 2>/dev/null; }
export VT_CPU_VENDOR="${VT_CPU_VENDOR:-$(cpu_field vendor_id)}" VT_CPU_FAMILY="${VT_CPU_FAMILY:-$(cpu_field 'cpu family')}" VT_CPU_MODEL="${VT_CPU_MODEL:-$(cpu_field model)}"
"$@"
rc=$?
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
exit $rc
