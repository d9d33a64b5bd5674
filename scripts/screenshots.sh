#!/usr/bin/env bash
# Makes the README's pictures again: every window of Vantrel and the gauge's
# property page, each cut out of Wine's virtual desktop under Xvfb, into
# docs/<name>.png. The program runs in a prefix of its own with fresh settings
# (build/<arch>/wineprefix-shots); app/tools/window_driver.cpp opens and finds
# the windows. A window that does not show (a window the program does not have
# yet) is reported and skipped; the exit code is then 1.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"

if [ "${1:-}" != --inside ]; then
  set -e
  cd "$root"
  scripts/setup.sh
  if [ -z "${VT_ARCH:-}" ]; then
    if scripts/wine-arch.sh win32 >/dev/null; then VT_ARCH=win32; else VT_ARCH=win64; fi
  fi
  case $VT_ARCH in
    win32) toolchain=cmake/mingw-i686.cmake ;;
    win64) toolchain=cmake/mingw-x86_64.cmake ;;
  esac
  cmake -S . -B "build/$VT_ARCH" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "build/$VT_ARCH" -j"${VT_JOBS:-2}" --target Vantrel Zelbo CloseVantrel WindowDriver HighContrastWindow \
    >"build/shots-$VT_ARCH-build.log" 2>&1 || { cat "build/shots-$VT_ARCH-build.log"; exit 1; }
  export VT_ARCH VT_WINEPREFIX="$root/build/$VT_ARCH/wineprefix-shots" VT_DESKTOP=800x600
  # Always the same screen, whatever display the caller has.
  VT_FORCE_XVFB=1 exec scripts/with-wine.sh "$0" --inside
fi

. "$here/wine-env.sh" || exit 1
bin="$root/build/$VT_ARCH/bin"
out="$root/docs"
mkdir -p "$out"
missing=0
drv() { wine "$bin/WindowDriver.exe" "$@" 2>/dev/null </dev/null | tr -d '\r'; }
post() { drv post "$@" >/dev/null; }

# shot NAME X Y WIDTH HEIGHT: that part of the screen, a few pixels wider.
shot() {
  local name=$1 x=$(($2 - 4)) y=$(($3 - 4)) w=$(($4 + 8)) h=$(($5 + 8))
  ((x < 0)) && x=0
  ((y < 0)) && y=0
  xwd -root -silent -display "$DISPLAY" | convert xwd:- -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
  echo "screenshots: docs/$name.png"
}
# window NAME WINDOW [X Y]: waits for the window and takes it, moved to X, Y
# first when given. Boxes that open at the desktop's top left corner are
# moved: under its owner's window there, Wine leaves them unpainted.
window() {
  local rect
  rect=$(drv wait "$2")
  if [ -z "$rect" ]; then
    echo "screenshots: no window \"$2\" for $1" >&2
    missing=$((missing + 1))
    return 1
  fi
  if [ $# -eq 4 ]; then
    drv move "$2" "$3" "$4" >/dev/null
    rect=$(drv wait "$2")
  fi
  # Let it finish painting.
  sleep 1
  shot "$1" $rect
}
# dialog NAME COMMAND TITLE: a command of the main window opens a modal window;
# it is taken and closed with Cancel.
dialog() {
  post "Computer Information" 0x111 "$2" 0
  window "$1" "$3" && post "$3" 0x111 2 0
}

# Fresh settings, and the gauge registered.
wine reg delete 'HKCU\Software\Quorvale' /f >/dev/null 2>&1 </dev/null
wine regsvr32 /s "$(winepath -w "$bin/Zelbo.ocx")" >/dev/null 2>&1 </dev/null ||
  { echo "screenshots: registering Zelbo.ocx failed" >&2; exit 1; }

# Bare Xvfb gives no window the keyboard: give it to the desktop, so the
# windows in it are drawn active.
xdotool search --name 'Wine desktop' windowfocus 2>/dev/null
wine "$bin/Vantrel.exe" >/dev/null 2>&1 </dev/null &
vantrel=$!
window splash popup

drv drive C >/dev/null || echo "screenshots: could not choose drive C:" >&2
window main-window "Computer Information"

dialog processor 1008 "Advanced Processor Information"
dialog extended-information 1020 "Extended Information"
dialog directory-view 1023 "Directory Info View"
# The view again, with folders named in several scripts at the root of C:
# (those the dialogs' font, Liberation Sans, draws).
names=("Русский" "Ελληνικά" "Français" "Čeština" "R&D")
for name in "${names[@]}"; do mkdir -p "$WINEPREFIX/drive_c/$name/$name"; done
dialog directory-view-names 1023 "Directory Info View"
for name in "${names[@]}"; do rm -r "$WINEPREFIX/drive_c/$name"; done
# The pie is an untitled window of its own beside the main window; the button
# shows it and its Close button (1072) hides it.
post "Computer Information" 0x111 1073 0
window pie popup && post popup 0x111 1072 0

post "Computer Information" 0x111 1044 0
for page in 0 1 2; do
  names=(options-main options-refresh options-interface)
  drv page Options $page >/dev/null
  window "${names[$page]}" Options
done
post Options 0x111 2 0

# The About box from the system menu.
post "Computer Information" 0x112 0x10 0
window about "About Vantrel" 420 40 && post "About Vantrel" 0x111 1 0

# The tray menu opens where the pointer is: over the tray, at the desktop's
# lower right. It is taken with the tray below it and closed with Escape.
xdotool mousemove 760 590 2>/dev/null
post "Computer Information" 0x400 1043 0x205
if rect=$(drv wait class=#32768) && [ -n "$rect" ]; then
  read -r x y w h <<<"$rect"
  sleep 1
  shot tray-menu "$x" "$y" $((800 - x)) $((600 - y))
  post class=#32768 0x100 0x1B 0
else
  echo "screenshots: no tray menu" >&2
  missing=$((missing + 1))
fi

# Both notices: closing the window, which goes to the tray, and disabling.
post "Computer Information" 0x10 0 0
window close-notice "Close Notification" && post "Close Notification" 0x111 1 0
post "Computer Information" 0x111 32775 0
post "Computer Information" 0x111 32776 0
window disable-notice "Disable Notification" 420 40 && post "Disable Notification" 0x111 1 0
# Disabled, the window says so in its title; enabled again, it ends as usual.
post "Computer Information - DISABLED" 0x111 32776 0

wine "$bin/CloseVantrel.exe" >/dev/null 2>&1 </dev/null
wait $vantrel

# The gauge's property page, in the frame any host shows it in.
wine "$bin/WindowDriver.exe" gauge-pages >/dev/null 2>&1 </dev/null &
pages=$!
if window gauge-property-page "Properties for Zelbo Control"; then
  post "Properties for Zelbo Control" 0x111 2 0
else
  kill $pages
fi
wait $pages

# The main window in high contrast, which Wine cannot turn on: its code in a
# program of its own that stands in for the setting
# (app/tools/high_contrast_window.cpp), ended with WM_QUIT.
wine "$bin/HighContrastWindow.exe" >/dev/null 2>&1 </dev/null &
contrast=$!
if window main-window-high-contrast "Computer Information"; then
  post "Computer Information" 0x12 0 0
else
  kill $contrast
fi
wait $contrast

[ $missing -eq 0 ] || { echo "screenshots: $missing windows missing" >&2; exit 1; }
