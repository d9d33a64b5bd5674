#!/usr/bin/env bash
# Runs inside scripts/with-wine.sh: starts Vantrel, which takes its gauges
# from the Zelbo.ocx beside it with nothing registered. "interactive" waits
# for the program to end; "screenshot" lets it run a few seconds, saves the
# screen and ends it.
set -uo pipefail
. "$(dirname "$0")/wine-env.sh" || exit 1
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$root/build/$VT_ARCH/bin"
mode="${1:-interactive}"

if [ "$mode" = interactive ]; then
  wine "$bin/Vantrel.exe"
  exit $?
fi

wine "$bin/Vantrel.exe" >/dev/null 2>&1 </dev/null &
pid=$!
sleep "${VT_RUN_SECONDS:-6}"
shot="$root/build/$VT_ARCH/vantrel-screenshot.png"
# The virtual desktop lies at the top left of the screen: keep just that.
crop=()
case "${VT_DESKTOP:-}" in *x*) crop=(-crop "$VT_DESKTOP+0+0" +repage) ;; esac
xwd -root -silent -display "$DISPLAY" | convert xwd:- "${crop[@]}" "$shot"
wine "$bin/CloseVantrel.exe" >/dev/null 2>&1
wait $pid
rc=$?
echo "screenshot: $shot"
exit $rc
