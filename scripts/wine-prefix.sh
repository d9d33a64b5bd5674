#!/usr/bin/env bash
# Creates the private prefix once and sets it up for a quiet tray program.
# VT_DESKTOP=WxH runs the prefix's windows in Wine's virtual desktop of that
# size, with its taskbar and tray; VT_DESKTOP=off takes the desktop away, so
# the windows go to the display's own window manager; unset leaves it as it is.
# VT_UNMANAGED=1: see below.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
reg() { wine reg "$@" >/dev/null 2>&1 </dev/null; }
stamp="$WINEPREFIX/.vantrel-ready"
if [ ! -f "$stamp" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
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
fi

# Wine draws the caption buttons, scroll arrows and menu ticks as letters of
# its Marlett font. Debian's Wine looks for its own fonts in
# "<data dir>\../fonts", a path whose "/" Windows paths do not take, so it
# never finds them in /usr/share/wine/fonts (package fonts-wine), and the close
# button shows an "r". The prefix's Fonts folder is always searched.
marlett=/usr/share/wine/fonts/marlett.ttf
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -f "$marlett" ] && [ ! -f "$fonts/marlett.ttf" ]; then
  mkdir -p "$fonts"
  cp "$marlett" "$fonts/"
fi

# VT_UNMANAGED=1 keeps the window manager out of Wine's windows. On a display
# without one (Xvfb in the tests), Wine otherwise waits up to two seconds for
# a window manager's answer every time it hides a window.
if [ -n "${VT_UNMANAGED:-}" ]; then
  reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
fi

case "${VT_DESKTOP:-}" in
  "") ;;
  off)
    reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f || true  # absent already
    ;;
  *x*)
    reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f
    reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$VT_DESKTOP" /f
    # The taskbar with its tray: a named desktop has it only when asked for.
    reg add 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD /d 1 /f
    ;;
  *)
    echo "wine-prefix: VT_DESKTOP is WxH or off, not '$VT_DESKTOP'" >&2
    exit 1
    ;;
esac
