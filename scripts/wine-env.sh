# Sourced: the private 32-bit Wine prefix inside the build tree, quiet and prompt-free.
_vt_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${VT_WINEPREFIX:-$_vt_root/build/win32/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
