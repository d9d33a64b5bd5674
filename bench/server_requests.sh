#!/usr/bin/env bash
# Counts the wineserver requests of one launch of Vantrel.exe /Embedding, from
# its start until its window shows (warm server, settings cleared, the gauge
# registered), and of the whole run until it has ended again; prints the ten
# requests it makes most often up to the window. Each request is a round trip
# to another process under Wine, where Windows makes none.
#   bench/server_requests.sh [win32|win64]      (after a Release build)
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export VT_ARCH=${1:-${VT_ARCH:-win64}}
if [ "${2:-}" != --inside ]; then
  VT_WINEPREFIX="$root/build/$VT_ARCH/wineprefix-bench" exec "$root/scripts/with-wine.sh" "$0" "$VT_ARCH" --inside
fi
. "$root/scripts/wine-env.sh" || exit 1
bin="$root/build/$VT_ARCH/bin"
trace="$root/build/$VT_ARCH/server-requests.trace"
quiet() { "$@" >/dev/null 2>&1 </dev/null; }

quiet wine regsvr32 /s "$(winepath -w "$bin/Zelbo.ocx")" || { echo "server_requests: cannot register Zelbo.ocx" >&2; exit 1; }
quiet wine reg delete 'HKCU\Software\Quorvale\Vantrel' /f
# The server traces every client's requests once its debug level is up: it
# runs afresh with its trace in a file, and the lines of Vantrel's threads are
# picked out below. The session's own processes start before the count.
wineserver -k
wineserver -w
wineserver -p -d1 2>"$trace"
quiet wine cmd /c exit
wine "$bin/Vantrel.exe" /Embedding >/dev/null 2>&1 </dev/null &
pid=$!
quiet wine "$bin/WindowDriver.exe" wait "Computer Information" || { echo "server_requests: no window" >&2; exit 1; }
shown=$(wc -l <"$trace")
quiet wine "$bin/WindowDriver.exe" post "Computer Information" 0x111 2 0
wait $pid
# A request is traced as "tid: name( args )", its reply as "tid: name() = status";
# the threads of the program are those that started with its Unix process id.
tids=$(grep -oE "^[0-9a-f]{4}: init_(first_)?thread\( unix_pid=$pid," "$trace" | cut -c1-4 | paste -sd'|')
[ -n "$tids" ] || { echo "server_requests: the program's threads are not in the trace" >&2; exit 1; }
requests() { grep -E "^($tids): [a-z_]+\(" | grep -vE '\) = [A-Z0-9_]+'; }
echo "wineserver requests of one launch ($VT_ARCH): $(head -n "$shown" "$trace" | requests | wc -l) until the window shows, $(requests <"$trace" | wc -l) until the program has ended"
head -n "$shown" "$trace" | requests | sed -E 's/^[0-9a-f]+: ([a-z_]+)\(.*/\1/' | sort | uniq -c | sort -rn | head -10
