#!/usr/bin/env bash
# Inside scripts/with-wine.sh (the bench prefix): takes every figure of
# bench/run on one architecture and prints raw samples, one per line:
#   <figure> <vantrel|base> <value>
# Arguments: runs of each idle measurement, minutes of the memory run.
set -uo pipefail
. "$(dirname "$0")/../scripts/wine-env.sh" || exit 1
runs=$1
minutes=$2
bin="$(cd "$(dirname "$0")/.." && pwd)/build/$VT_ARCH/bin"
w() { winepath -w "$1"; }
quiet() { "$@" >/dev/null 2>&1 </dev/null; }
settle=15
span=60

# The Wine session of this prefix: Wine's own executables started with it.
session_pids() {
  local p
  for p in $(grep -lzxF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3); do
    case $(readlink "/proc/$p/exe" 2>/dev/null) in /usr/lib/wine/*) echo "$p" ;; esac
  done
}
# "<pid> <nanoseconds on a processor>" for each process given, all its threads.
cpu_ns() {
  local p
  for p in "$@"; do
    echo "$p $(cat /proc/"$p"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s + 0 }')"
  done
}
# Percent of one core between two cpu_ns snapshots (files), over pids in both.
core_pct() { awk -v s="$span" 'NR == FNR { a[$1] = $2; next } ($1 in a) { d += $2 - a[$1] } END { printf "%.4f\n", d / (s * 1e7) }' "$1" "$2"; }
rss_mb() { awk '/^VmRSS:/ { printf "%.2f\n", $2 / 1024 }' "/proc/$1/status"; }

reset_store() { quiet wine reg delete 'HKCU\Software\Quorvale\Vantrel' /f; }
# auto_hide 0|1: whether Vantrel starts hidden in the tray.
auto_hide() { quiet wine reg add 'HKCU\Software\Quorvale\Vantrel\Settings' /v AutoHide /t REG_DWORD /d "$1" /f; }
# start <who>: the program in the background; its process id in $pid.
start() {
  case $1 in
    vantrel) wine "$bin/Vantrel.exe" >/dev/null 2>&1 </dev/null & ;;
    base) wine "$bin/Trivial.exe" >/dev/null 2>&1 </dev/null & ;;
    bare) wine "$bin/BareDialog.exe" "$(w "$bin/Vantrel.exe")" >/dev/null 2>&1 </dev/null & ;;
  esac
  pid=$!  # the loader execs in place: this is the program's own process
}
stop() {
  case $1 in
    vantrel) quiet wine "$bin/CloseVantrel.exe" ;;
    base | bare) kill "$2" ;;
  esac
  wait "$2" 2>/dev/null
}

quiet wine regsvr32 /s "$(w "$bin/Zelbo.ocx")" || { echo "measure: cannot register Zelbo.ocx" >&2; exit 1; }
reset_store

# Launch, warm: one launch of each first, then alternately; Vantrel to its
# window shown (with the splash, and without it as "/Embedding" starts it), and
# with AutoHide to its icon in the tray (id 1043). Two baselines: the message
# box, and the main window's own template shown bare.
launch() {
  case $1 in
    vantrel) wine "$bin/LaunchTime.exe" "Computer Information" "$(w "$bin/Vantrel.exe")" ;;
    nosplash) wine "$bin/LaunchTime.exe" "Computer Information" "$(w "$bin/Vantrel.exe")" /Embedding ;;
    tray) wine "$bin/LaunchTime.exe" /tray:1043 "Computer Information" "$(w "$bin/Vantrel.exe")" ;;
    base) wine "$bin/LaunchTime.exe" Trivial "$(w "$bin/Trivial.exe")" /box ;;
    bare) wine "$bin/LaunchTime.exe" "Computer Information" "$(w "$bin/BareDialog.exe")" "$(w "$bin/Vantrel.exe")" ;;
  esac 2>/dev/null </dev/null | tr -d '\r'
}
launch vantrel >/dev/null
launch base >/dev/null
launch bare >/dev/null
for ((i = 0; i < 7; i++)); do
  echo "launch vantrel $(launch vantrel)"
  b=$(launch base)
  echo "launch base $b"
  echo "launch_nosplash base $b"
  n=$(launch nosplash)
  echo "launch_nosplash vantrel $n"
  echo "launch_bare vantrel $n"
  echo "launch_bare base $(launch bare)"
done
auto_hide 1
launch tray >/dev/null
for ((i = 0; i < 7; i++)); do
  echo "launch_tray vantrel $(launch tray)"
  echo "launch_tray base $(launch base)"
done
auto_hide 0
[ "${VT_BENCH_ONLY:-}" = launch ] && exit 0

# Idle cost, default settings otherwise (both countdowns run): Vantrel with its
# window shown and hidden in the tray, the baseline once for both; the resident
# size after start.
idle() {
  local who=$1 t0 t1 state
  t0=$(mktemp) t1=$(mktemp)
  start "$who"
  sleep $settle
  cpu_ns $(session_pids) >"$t0"
  sleep $span
  cpu_ns $(session_pids) >"$t1"
  shift
  for state in "$@"; do
    echo "idle_prog_$state $who $(core_pct <(grep "^$pid " "$t0") <(grep "^$pid " "$t1"))"
    echo "idle_session_$state $who $(core_pct "$t0" "$t1")"
  done
  if [ "$1" != tray ]; then
    echo "rss_start $who $(rss_mb "$pid")"
    [ "$who" = vantrel ] && echo "rss_bare vantrel $(rss_mb "$pid")"
  fi
  stop "$who" "$pid"
  rm -f "$t0" "$t1"
}
for ((i = 0; i < runs; i++)); do
  idle vantrel shown
  auto_hide 1
  idle vantrel tray
  auto_hide 0
  idle base shown tray
  # The bare window's resident size, settled as the others'.
  start bare
  sleep $settle
  echo "rss_bare base $(rss_mb "$pid")"
  stop bare "$pid"
done

# Resident size after the memory run, both programs side by side.
start vantrel
vpid=$pid
start base
bpid=$pid
sleep $settle
v0=$(rss_mb $vpid) b0=$(rss_mb $bpid)
sleep $((minutes * 60))
v1=$(rss_mb $vpid) b1=$(rss_mb $bpid)
echo "rss_after vantrel $v1"
echo "rss_after base $b1"
echo "rss_growth vantrel $(awk -v a="$v0" -v b="$v1" 'BEGIN { printf "%.2f\n", b - a }')"
echo "rss_growth base $(awk -v a="$b0" -v b="$b1" 'BEGIN { printf "%.2f\n", b - a }')"
stop vantrel $vpid
stop base $bpid

# The gauge's drawing and the memory refresh, inside a host of the main window.
# The baseline of the refresh serves both refresh figures.
wine "$bin/GaugeBench.exe" 2>/dev/null </dev/null | tr -d '\r' |
  awk '{ print } $1 == "refresh" && $2 == "base" { print "refresh_tip base", $3 }'
