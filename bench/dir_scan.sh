#!/usr/bin/env bash
# Benchmark of the directory view's walk (not a test; ./test does not run it).
#
#   bench/dir_scan.sh [files] [directories] [rounds]
#
# Builds a synthetic tree of <files> files (default 200000) spread evenly over
# <directories> directories (default 20000, in two levels), then, in one run
# under Wine, times the view's walk (ScanDirectory over the find functions) and
# two bare walks of the same tree, one through FindFirstFileA/FindNextFileA and
# one through FindFirstFileExW/FindNextFileW with the lister's flags, best of
# <rounds> (default 3) after one warm-up each, and native `du -s` on the same
# tree, best of as many rounds after a warm-up. Prints the four times and the
# ratios; fails when the walks count differently. VT_ARCH picks the build (win32 by default); the tree goes to
# build/<arch>/bench-tree and is kept for the next run of the same size.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
files="${1:-200000}"
dirs="${2:-20000}"
rounds="${3:-3}"
export VT_ARCH="${VT_ARCH:-win32}"
build="$root/build/$VT_ARCH"
tree="$build/bench-tree"

case "$VT_ARCH" in
  win32) toolchain=cmake/mingw-i686.cmake ;;
  win64) toolchain=cmake/mingw-x86_64.cmake ;;
  *) echo "dir_scan: VT_ARCH must be win32 or win64" >&2; exit 2 ;;
esac
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/$toolchain" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target dir_scan_bench >/dev/null

# The tree: directories d0000/s000 ... in two levels, files f0, f1, ... of
# sizes 0 to 12287 bytes, written as holes so that making it stays quick.
if [ "$(cat "$tree.shape" 2>/dev/null)" != "$files $dirs" ]; then
  echo "making $files files in $dirs directories in $tree" >&2
  rm -rf "$tree" "$tree.shape"
  python3 - "$tree" "$files" "$dirs" <<'PY'
import math, os, sys
tree, files, dirs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
top = max(1, int(math.sqrt(dirs)))
made = 0
for d in range(dirs):
    path = os.path.join(tree, "d%05d" % (d % top), "s%05d" % (d // top))
    os.makedirs(path, exist_ok=True)
    here = files // dirs + (1 if d < files % dirs else 0)
    for f in range(here):
        with open(os.path.join(path, "f%d" % f), "wb") as out:
            out.truncate((made * 2654435761) % 12288)
        made += 1
with open(tree + ".shape", "w") as out:
    out.write("%d %d" % (files, dirs))
PY
fi

calc() { awk "BEGIN { printf \"%.3f\", $1 }"; }
best_of() {  # best wall time in seconds of running "$@" $rounds times, after one warm-up
  "$@" >/dev/null
  local best="" s e t
  for _ in $(seq "$rounds"); do
    s=$(date +%s.%N); "$@" >/dev/null; e=$(date +%s.%N)
    t=$(calc "$e - $s")
    if [ -z "$best" ] || [ "$(calc "$t < $best")" = 1.000 ]; then best=$t; fi
  done
  echo "$best"
}
du_time=$(best_of du -s "$tree")

# The Wine side in the program's own prefix, with a warm server.
out=$("$root/scripts/with-wine.sh" bash -c 'wine "$0" "$(winepath -w "$1")" "$2"' \
  "$build/bin/dir_scan_bench.exe" "$tree" "$rounds") || { echo "$out" >&2; exit 1; }

bare_time=$(echo "$out" | awk '$1 == "bare" { print $2 }')
wide_time=$(echo "$out" | awk '$1 == "wide" { print $2 }')
view_time=$(echo "$out" | awk '$1 == "view" { print $2 }')
counted=$(echo "$out" | awk '$1 == "view" { print $3 " files, " $4 " directories" }')
printf 'tree: %s (%s)\n' "$tree" "$counted"
printf '%-28s %8.3f s\n' "native du -s" "$du_time" "bare FindFirstFileA walk" "$bare_time" \
  "bare FindFirstFileExW walk" "$wide_time" "view's ScanDirectory" "$view_time"
printf 'bare / du   %8.2f\nwide / du   %8.2f\nview / du   %8.2f\nview / bare %8.2f\nview / wide %8.2f\n' \
  "$(calc "$bare_time / $du_time")" "$(calc "$wide_time / $du_time")" "$(calc "$view_time / $du_time")" \
  "$(calc "$view_time / $bare_time")" "$(calc "$view_time / $wide_time")"
