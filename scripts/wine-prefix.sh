#!/usr/bin/env bash
# Creates the private prefix once and sets it up for a quiet tray program.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
stamp="$WINEPREFIX/.vantrel-ready"
[ -f "$stamp" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
reg() { wine reg "$@" >/dev/null 2>&1; }
# The game-controller bus driver polls devices every millisecond: switch it off.
reg add 'HKLM\System\CurrentControlSet\Services\winebus' /v Start /t REG_DWORD /d 4 /f
reg add 'HKLM\System\CurrentControlSet\Services\winebus' /v "Enable SDL" /t REG_DWORD /d 0 /f
reg add 'HKCU\Software\Wine\DllOverrides' /v winebus.sys /t REG_SZ /d "" /f
# Dialogs ask for Arial: use its metric-compatible stand-in.
reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d "Liberation Sans" /f
# No crash dialog from winedbg: a crashing test just fails.
reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
wineserver -w
touch "$stamp"
