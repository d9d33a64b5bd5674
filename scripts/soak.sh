#!/usr/bin/env bash
# Soak run: Vantrel.exe for [minutes] (default 10) with both refresh periods 0,
# so every tick refreshes memory and runs the drive cycle over every fixed
# drive (all watched) and the chosen drive C:. Once a minute it samples the
# program's resident size and open file descriptors (Linux's view of its Wine
# process) and its handle, GDI object and window counts (bench/soak_probe.cpp,
# inside the prefix). It fails when the program dies or ends badly, or when a
# figure grows past its highest value of the first two minutes (the resident
# size by more than VT_SOAK_RSS_SLACK_KB, default 512). Architecture as ./run
# picks it, or VT_ARCH; the prefix is build/<arch>/wineprefix-soak.
set -uo pipefail
cd "$(dirname "$0")/.."
warmup=2

if [ "${1:-}" != --inside ]; then
  minutes=${1:-10}
  [[ $minutes =~ ^[0-9]+$ ]] && [ "$minutes" -gt $warmup ] || { echo "usage: $0 [minutes > $warmup]" >&2; exit 2; }
  scripts/setup.sh || exit 1
  if [ -z "${VT_ARCH:-}" ]; then
    if scripts/wine-arch.sh win32 >/dev/null; then VT_ARCH=win32; else VT_ARCH=win64; fi
  fi
  why=$(scripts/wine-arch.sh "$VT_ARCH") || { echo "soak: cannot run the $VT_ARCH build: $why" >&2; exit 1; }
  case $VT_ARCH in
    win32) toolchain=cmake/mingw-i686.cmake ;;
    win64) toolchain=cmake/mingw-x86_64.cmake ;;
  esac
  log=build/soak-$VT_ARCH-build.log
  mkdir -p build
  { cmake -S . -B "build/$VT_ARCH" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release &&
    cmake --build "build/$VT_ARCH" -j"${VT_JOBS:-2}" --target Vantrel Zelbo CloseVantrel SoakProbe; } >"$log" 2>&1 ||
    { cat "$log"; exit 1; }
  export VT_ARCH VT_WINEPREFIX="$PWD/build/$VT_ARCH/wineprefix-soak"
  exec scripts/with-wine.sh "$0" --inside "$minutes"
fi

minutes=$2
. scripts/wine-env.sh || exit 1
# A copy of the programs: rebuilding the tree during a long run changes nothing.
bin="build/$VT_ARCH/soak-bin"
mkdir -p "$bin" && cp "build/$VT_ARCH/bin/"{Vantrel.exe,Zelbo.ocx,CloseVantrel.exe,SoakProbe.exe} "$bin/" || exit 1
slack=${VT_SOAK_RSS_SLACK_KB:-512}
# The console adds carriage returns to the probe's lines.
probe() { wine "$bin/SoakProbe.exe" "$@" 2>/dev/null </dev/null | tr -d '\r'; }

wine regsvr32 /s "$(winepath -w "$bin/Zelbo.ocx")" >/dev/null 2>&1 || { echo "soak: cannot register Zelbo.ocx" >&2; exit 1; }
wine "$bin/SoakProbe.exe" store >/dev/null 2>&1 </dev/null || { echo "soak: cannot write the settings store" >&2; exit 1; }
wine "$bin/Vantrel.exe" /Embedding >/dev/null 2>&1 </dev/null &
pid=$!  # the loader execs in place: this is the program's own process
picked=""
for _ in $(seq 60); do wine "$bin/SoakProbe.exe" pick C >/dev/null 2>&1 </dev/null && picked=1 && break; sleep 0.5; done
[ -n "$picked" ] || { echo "soak: no main window with drive C: in its list" >&2; exit 1; }
sleep 10

echo "soak: $VT_ARCH, $minutes minutes, both periods 0, every fixed drive watched, C: chosen, $(date -u '+%F %T UTC')"
echo "soak: process $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline")"
printf '%6s %10s %6s %8s %6s %8s\n' minute rss_kb fds handles gdi windows
declare -a peak=(0 0 0 0 0)
fail=""
for ((m = 0; m <= minutes; m++)); do
  [ "$m" -gt 0 ] && sleep 60
  if ! kill -0 "$pid" 2>/dev/null; then fail="the program ended by itself"; break; fi
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  fds=$(ls "/proc/$pid/fd" | wc -l)
  read -r handles gdi windows < <(probe sample) || { fail="no sample at minute $m"; break; }
  printf '%6d %10d %6d %8d %6d %8d\n' "$m" "$rss" "$fds" "$handles" "$gdi" "$windows"
  now=("$rss" "$fds" "$handles" "$gdi" "$windows")
  names=(rss_kb fds handles gdi windows)
  for i in 0 1 2 3 4; do
    if [ "$m" -le $warmup ]; then
      [ "${now[$i]}" -gt "${peak[$i]}" ] && peak[$i]=${now[$i]}
    else
      limit=${peak[$i]}
      [ "$i" -eq 0 ] && limit=$((limit + slack))
      [ "${now[$i]}" -gt "$limit" ] && fail="$fail ${names[$i]} grew to ${now[$i]} at minute $m (first minutes: ${peak[$i]})."
    fi
  done
done

wine "$bin/CloseVantrel.exe" >/dev/null 2>&1 </dev/null
wait "$pid"
rc=$?
[ -z "$fail" ] && [ "$rc" -ne 0 ] && fail="the program ended with code $rc"
if [ -n "$fail" ]; then
  echo "soak: FAIL:$fail"
  exit 1
fi
echo "soak: PASS (no figure grew after the first $warmup minutes; exit code 0)"
