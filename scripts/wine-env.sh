# Sourced: the private Wine prefix of one architecture inside the build tree,
# quiet and prompt-free. VT_ARCH is win32 (the default) or win64.
_vt_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export VT_ARCH="${VT_ARCH:-win32}"
case "$VT_ARCH" in
  win32 | win64) ;;
  *) echo "wine-env: VT_ARCH must be win32 or win64, not '$VT_ARCH'" >&2; return 1 ;;
esac
# Inside a suite run (scripts/wine-suite.sh) ctest hands each Wine test a slot:
# a prefix and an X display that no other test uses meanwhile. A test that
# makes a prefix of its own (VT_WINEPREFIX) still takes the slot's display.
if [ -n "${VT_WINE_SLOTS:-}" ] && [ -n "${CTEST_RESOURCE_GROUP_0_WINE:-}" ]; then
  _vt_slot=${CTEST_RESOURCE_GROUP_0_WINE#id:}
  _vt_slot="$VT_WINE_SLOTS/${_vt_slot%%,*}"
  export DISPLAY="$(cat "$_vt_slot/display")"
  export VT_WINEPREFIX="${VT_WINEPREFIX:-$_vt_slot/prefix}"
fi
export WINEPREFIX="${VT_WINEPREFIX:-$_vt_root/build/$VT_ARCH/wineprefix}"
export WINEARCH="$VT_ARCH"
export WINEDEBUG=-all
# No .NET or HTML add-on prompts; and no menu builder, which would copy the
# prefix's shortcuts and file types into the desktop menus of the Linux user.
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
if [ "$VT_ARCH" = win64 ]; then
  # /usr/bin/wine, wine-stable and the scripts that call them (wineboot,
  # regsvr32, winepath) take the 32-bit loader whenever wine32 is installed,
  # even on a kernel that cannot run it. Wrappers early on PATH send them to
  # the 64-bit loader; a symbolic link to the loader would not do.
  _vt_bin="$_vt_root/build/win64/wine-bin"
  if [ ! -x "$_vt_bin/wine-stable" ]; then
    mkdir -p "$_vt_bin"
    for _vt_name in wine wine-stable; do
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$_vt_bin/$_vt_name"
      chmod +x "$_vt_bin/$_vt_name"
    done
  fi
  case ":$PATH:" in
    *":$_vt_bin:"*) ;;
    *) export PATH="$_vt_bin:$PATH" ;;
  esac
  export WINELOADER=/usr/lib/wine/wine64
fi
