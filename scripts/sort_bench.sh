#!/usr/bin/env bash
# Times the native Pellacor and Trivandel against GNU sort on this machine, in the same run, at
# the same memory, and checks that both give the same bytes:
#   CSV:  1 GiB, about ten million rows, key(2,32) key(5)attr(d;i)  vs  sort -t, -k2,2 -k5,5nr
#         (the generated words are at most 32 bytes, so both keys mean the same)
#   text: 1 GiB of 100-byte records, key(1,10)                       vs  sort -k1.1,1.10
# Usage: scripts/sort_bench.sh [MEMORY_MB]   (default 64). Needs GNU time (/usr/bin/time).
# Data and outputs go to SORT_BENCH_DIR (default build/sorters-native/bench); the outputs are
# removed at the end, the inputs too unless KEEP_DATA=1.
set -euo pipefail
source "$(dirname "$0")/sort_common.sh"
memory_mb="${1:-64}"
cores="$(nproc)"

sort_build Pellacor Trivandel sort_bench_data
mkdir -p "$bench/work"
csv=$(sort_input csv 1)
text=$(sort_input text 2)

# Runs a command under GNU time; prints "seconds peak_kb".
measure() {
  local log="$bench/time.log"
  /usr/bin/time -f '%e %M' -o "$log" "$@" >/dev/null
  cat "$log"
}

report() {
  local name=$1 ours=$2 gnu=$3 same=$4
  read -r ours_s ours_kb <<<"$ours"
  read -r gnu_s gnu_kb <<<"$gnu"
  awk -v n="$name" -v os="$ours_s" -v ok="$ours_kb" -v gs="$gnu_s" -v gk="$gnu_kb" -v same="$same" \
    'BEGIN { printf "%-5s ours %6.2f s %6.0f MB peak | GNU sort %6.2f s %6.0f MB peak | GNU/ours %.2fx | outputs %s\n",
             n, os, ok / 1024, gs, gk / 1024, gs / os, same }'
}

compare() {
  if cmp -s "$1" "$2"; then echo identical; else echo DIFFERENT; fi
}

sync
echo "memory ${memory_mb} MB, ${cores} cores, inputs of 1 GiB"

ours=$(measure "$build/sorters/Pellacor" "$csv" "$bench/ours.csv" 'key(2,32)' \
  'key(5)attr(d;i)' /M "$memory_mb" /T "$bench/work")
gnu=$(measure env LC_ALL=C sort -s -t, -k2,2 -k5,5nr -S "${memory_mb}M" --parallel="$cores" \
  -T "$bench/work" -o "$bench/gnu.csv" "$csv")
report csv "$ours" "$gnu" "$(compare "$bench/ours.csv" "$bench/gnu.csv")"
rm -f "$bench/ours.csv" "$bench/gnu.csv"

ours=$(measure "$build/sorters/Trivandel" "$text" "$bench/ours.txt" 'key(1,10)' \
  /M "$memory_mb" /T "$bench/work")
gnu=$(measure env LC_ALL=C sort -s -t $'\x01' -k1.1,1.10 -S "${memory_mb}M" \
  --parallel="$cores" -T "$bench/work" -o "$bench/gnu.txt" "$text")
report text "$ours" "$gnu" "$(compare "$bench/ours.txt" "$bench/gnu.txt")"
rm -f "$bench/ours.txt" "$bench/gnu.txt" "$bench/time.log"

[ "${KEEP_DATA:-0}" = 1 ] || rm -f "$csv" "$text"
