#!/usr/bin/env bash
# The proof that the Wine suite does not fail by chance:
#   repeat-tests.sh [N]    (N defaults to 5)
# runs the suite of each architecture this machine executes N times back to
# back, then once more with both cores kept busy by stress-ng, and prints
# every test program's failures and the failed cases; the logs stay in
# build/repeat/<time>/. It uses the builds in build/ as they are (./test makes
# them) and makes the installer from them. Exit code 1 on any failure.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
runs=${1:-5}
out="$root/build/repeat/$(date +%Y%m%d-%H%M%S)"
mkdir -p "$out"
command -v stress-ng >/dev/null || { echo "repeat-tests: stress-ng is not installed (apt-get install stress-ng)" >&2; exit 1; }

archs=()
for arch in win32 win64; do
  [ -x "$root/build/$arch/bin/Vantrel.exe" ] || { echo "$arch: not built, skipped"; continue; }
  if why=$("$here/wine-arch.sh" "$arch"); then archs+=("$arch"); else echo "$arch: NOT RUN: $why"; fi
done
[ ${#archs[@]} -gt 0 ] || { echo "repeat-tests: no architecture to run" >&2; exit 1; }
# The installer from these builds, as ./test makes it: its test checks that
# it installs this build's files.
VT_PACKAGE_NO_BUILD=1 "$here/package.sh" >"$out/package.out" 2>&1 || { echo "repeat-tests: the installer was not built (see $out/package.out)"; }

# suite ARCH NAME: one run, its log kept as build/repeat/ARCH-NAME.log.
suite() {
  local log="$out/$1-$2.log" start=$SECONDS
  "$here/wine-suite.sh" "$1" --output-on-failure >"$log" 2>&1
  local rc=$?
  printf '%s run %-7s exit %d in %3d s\n' "$1" "$2" "$rc" $((SECONDS - start))
}

for arch in "${archs[@]}"; do
  for ((i = 1; i <= runs; i++)); do suite "$arch" "$i"; done
done
# Both cores busy with arithmetic for as long as the loaded runs take.
stress-ng --cpu "$(nproc)" --timeout 3600 >/dev/null 2>&1 &
stress=$!
for arch in "${archs[@]}"; do suite "$arch" loaded; done
kill "$stress" 2>/dev/null
wait "$stress" 2>/dev/null

echo
echo "== failures =="
total=0
for log in "$out"/*.log; do
  failed=$(sed -n '/The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ')
  [ -n "$failed" ] || grep -q '100% tests passed' "$log" ||
    failed="  (the run did not finish: see $log)"
  [ -n "$failed" ] || continue
  echo "$(basename "$log" .log):"
  echo "$failed"
  grep -E '^\[  FAILED  \] [A-Za-z_]+\.' "$log" | sort -u | sed 's/^/    /'
  total=$((total + $(echo "$failed" | wc -l)))
done
echo "$total failed test program runs in $(ls "$out"/*.log | wc -l) suite runs"
[ "$total" -eq 0 ]
