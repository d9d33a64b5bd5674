#!/usr/bin/env bash
# Fuzzes every parser of outside data: builds the targets of fuzz/ with clang
# and libFuzzer under ASan/UBSan in build/fuzz, runs each in turn and prints
# executions and crashes per target. Exits non-zero on any crash.
#
#   scripts/fuzz.sh [seconds]  each target for that long; by default for
#                              ten million executions
#   scripts/fuzz.sh merge      minimises what the runs found, together with the
#                              checked-in corpus, into fuzz/corpus/<target>;
#                              inputs named by hand there are always kept
#
# Each run starts from the checked-in corpus and grows a working corpus in
# build/fuzz/corpus/<target>; a crash stops that target's run and leaves its
# input in build/fuzz/crashes/<target>/ (replay: build/fuzz/fuzz/fuzz_<target> <file>).
set -uo pipefail
cd "$(dirname "$0")/.."
jobs="${VT_JOBS:-2}"
targets=(prop_stream prop_bag dlginit dialog_template settings resolution_text size_format drive_item)
out=build/fuzz

scripts/setup.sh || { echo "fuzz: setup failed"; exit 1; }
# clang and its runtime (libFuzzer, the sanitizers) are needed here only.
need=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "fuzz: installing ${need[*]}" >&2
  $SUDO apt-get update -qq &&
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null ||
    { echo "fuzz: could not install ${need[*]}"; exit 1; }
fi

mkdir -p "$out"
cmake -S . -B "$out" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVT_FUZZ=ON >/dev/null &&
  cmake --build "$out" -j"$jobs" --target "${targets[@]/#/fuzz_}" >"$out/build.log" 2>&1 ||
  { cat "$out/build.log"; echo "fuzz: build failed"; exit 1; }

if [ "${1:-}" = merge ]; then
  for t in "${targets[@]}"; do
    fresh=$(mktemp -d)
    mkdir -p "$out/corpus/$t"
    # Inputs named by hand (boundary cases, former crashes) stay as they are.
    for f in "fuzz/corpus/$t"/*; do
      [[ -f $f && ! $(basename "$f") =~ ^[0-9a-f]{40}$ ]] && cp "$f" "$fresh/"
    done
    # Edges only, not their hit counts: a few dozen inputs per target.
    "$out/fuzz/fuzz_$t" -merge=1 -use_counters=0 "$fresh" "fuzz/corpus/$t" "$out/corpus/$t" >"$out/merge-$t.log" 2>&1 ||
      { cat "$out/merge-$t.log"; rm -rf "$fresh"; exit 1; }
    rm -f "fuzz/corpus/$t"/*
    mv "$fresh"/* "fuzz/corpus/$t"/
    rmdir "$fresh"
    echo "$t: $(ls "fuzz/corpus/$t" | wc -l) inputs"
  done
  exit 0
fi

if [ -n "${1:-}" ]; then
  limit=(-max_total_time="$1")
else
  limit=(-runs=10000000)
fi

status=0
rows=()
for t in "${targets[@]}"; do
  mkdir -p "$out/corpus/$t" "$out/crashes/$t" "$out/logs"
  rm -f "$out/crashes/$t"/*
  log="$out/logs/$t.log"
  start=$SECONDS
  "$out/fuzz/fuzz_$t" "${limit[@]}" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/crashes/$t/" "$out/corpus/$t" "fuzz/corpus/$t" >"$log" 2>&1
  rc=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  crashes=$(find "$out/crashes/$t" -type f | wc -l)
  note=""
  if [ "$crashes" -gt 0 ]; then
    note="$out/crashes/$t/"
    status=1
  elif [ $rc -ne 0 ]; then
    note="fuzzer failed ($rc), see $log"
    status=1
  fi
  rows+=("$(printf '| %-16s | %12s | %7s | %7s | %s |' "$t" "${execs:-?}" "$crashes" "$((SECONDS - start))" "$note")")
  echo "${rows[-1]}"
done

echo
printf '| %-16s | %12s | %7s | %7s | %s |\n' target executions crashes seconds note
echo "|------------------|--------------|---------|---------|------|"
printf '%s\n' "${rows[@]}"
exit $status
