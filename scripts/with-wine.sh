#!/usr/bin/env bash
# Runs a command with the private prefix ready, one Xvfb display and a warm
# wineserver; shuts the server down afterwards whatever the command's outcome.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-env.sh"
"$here/wine-prefix.sh" || exit 1

inner() {
  # Wine's helper processes inherit the first client's pipes: start them here,
  # with output to /dev/null, so no test runner waits on a pipe held open.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  "$@"
  local rc=$?
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  return $rc
}
export -f inner

if [ -n "${DISPLAY:-}" ] && [ -z "${VT_FORCE_XVFB:-}" ]; then
  inner "$@"
else
  xvfb-run -a -s '-screen 0 1024x768x24' bash -c 'inner "$@"' inner "$@"
fi
