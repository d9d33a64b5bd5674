#!/usr/bin/env bash
# Runs the Wine tests of one architecture side by side:
#   wine-suite.sh win32|win64 [ctest options...]
# Each of VT_WINE_SLOTS_COUNT slots (default 3) is a copy of the prepared test
# prefix with its own wineserver, its own Xvfb display and its own test
# drives; ctest hands every Wine test one slot for as long as it runs, so no
# two tests share a registry, a display or a drive folder. The options go to
# ctest (e.g. -R tray). Exit code: ctest's.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
arch=${1:?usage: wine-suite.sh win32|win64 [ctest options...]}
shift
export VT_ARCH=$arch
count=${VT_WINE_SLOTS_COUNT:-3}
build="$root/build/$arch"
slots="$build/wine-slots"
# One suite of an architecture at a time in a tree: a second one waits, since
# it would make the same slots afresh under the first one's tests.
mkdir -p "$build"
exec 9>"$build/wine-suite.lock"
flock -n 9 || { echo "wine-suite: waiting for the $arch suite already running in this tree" >&2; flock -w 900 9; } ||
  { echo "wine-suite: the other $arch suite did not end" >&2; exit 1; }

# The template: the test prefix, made once, with the extra drive letters.
export VT_WINEPREFIX="$build/wineprefix-test"
. "$here/wine-env.sh" || exit 1
VT_UNMANAGED=1 "$here/wine-prefix.sh" || { echo "wine-suite: cannot prepare the Wine prefix" >&2; exit 1; }
"$here/test-drives.sh" || { echo "wine-suite: cannot set up the test drives" >&2; exit 1; }
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null

xvfbs=()
cleanup() {
  for ((i = 0; i < count; i++)); do
    [ -d "$slots/$i/prefix" ] && WINEPREFIX="$slots/$i/prefix" wineserver -k 2>/dev/null
  done
  for ((i = 0; i < count; i++)); do
    [ -d "$slots/$i/prefix" ] && WINEPREFIX="$slots/$i/prefix" wineserver -w 2>/dev/null
  done
  [ ${#xvfbs[@]} -gt 0 ] && kill "${xvfbs[@]}" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# copy_prefix FROM TO: the system's modules, nine tenths of a prefix and only
# ever read, are hard links; the rest (registry, user folders) is copied.
copy_prefix() {
  local sys=(drive_c/windows/system32 drive_c/windows/syswow64)
  mkdir -p "$2" &&
    tar -C "$1" "${sys[@]/#/--exclude=./}" -cf - . | tar -C "$2" -xf - &&
    for d in "${sys[@]}"; do
      [ ! -d "$1/$d" ] || cp -al "$1/$d" "$2/$d" || return 1
    done
}

# A slot's prefix is copied afresh each run, so no run inherits another's state.
rm -rf "$slots"
resources='{"version":{"major":1,"minor":0},"local":[{"wine":['
for ((i = 0; i < count; i++)); do
  slot="$slots/$i"
  mkdir -p "$slot"
  copy_prefix "$WINEPREFIX" "$slot/prefix" || { echo "wine-suite: cannot copy the prefix" >&2; exit 1; }
  # A display of its own: Xvfb picks a free number and writes it on fd 3.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$slot/display.fd" >/dev/null 2>&1 &
  xvfbs+=($!)
  resources+="$([ "$i" -gt 0 ] && echo ,){\"id\":\"$i\",\"slots\":1}"
done
resources+=']}]}'
echo "$resources" >"$slots/resources.json"

for ((i = 0; i < count; i++)); do
  slot="$slots/$i"
  for _ in $(seq 100); do [ -s "$slot/display.fd" ] && break; sleep 0.1; done
  [ -s "$slot/display.fd" ] || { echo "wine-suite: Xvfb did not start" >&2; exit 1; }
  echo ":$(tr -d '\n' <"$slot/display.fd")" >"$slot/display"
  # The slot's own drive folders behind D: to G:.
  (
    export WINEPREFIX="$slot/prefix" VT_TEST_DRIVES_DIR="$slot/drives"
    "$here/test-drives.sh" &&
      # Wine's helper processes inherit the first client's pipes: start them
      # here, so no test runner waits on a pipe held open.
      wineserver -p && DISPLAY=$(cat "$slot/display") wine cmd /c exit >/dev/null 2>&1 </dev/null
  ) || { echo "wine-suite: cannot start slot $i" >&2; exit 1; }
done

# The processor as Linux describes it, for the test of the CPUID record.
cpu_field() { awk -F'[ \t]*: ' -v k="$1" '$1 == k { print $2; exit }' /proc/cpuinfo 2>/dev/null; }
export VT_CPU_VENDOR="${VT_CPU_VENDOR:-$(cpu_field vendor_id)}" VT_CPU_FAMILY="${VT_CPU_FAMILY:-$(cpu_field 'cpu family')}" VT_CPU_MODEL="${VT_CPU_MODEL:-$(cpu_field model)}"

unset VT_WINEPREFIX WINEPREFIX
export VT_WINE_SLOTS="$slots"
ctest --test-dir "$build" -j"$count" --resource-spec-file "$slots/resources.json" "$@"
