#!/usr/bin/env bash
# Checks the external path on a large input: 1 GiB of CSV sorted with /M 64 (run files merged)
# must equal the in-memory sort of the same input (sort_in_memory: Pellacor's sort with every
# record held in memory at once), stay within 64 MB plus a small fixed
# overhead, and leave nothing in the work folder. Needs GNU time (/usr/bin/time).
# Usage: scripts/sort_external_check.sh [OVERHEAD_MB]   (default 16)
set -euo pipefail
source "$(dirname "$0")/sort_common.sh"
overhead_mb="${1:-16}"
work="$bench/external-work"

sort_build Pellacor sort_in_memory sort_bench_data
mkdir -p "$work"
csv=$(sort_input csv 1)
keys=('key(2,32)' 'key(5)attr(d;i)' 'key(3,6)attr(d)')

/usr/bin/time -f '%e %M' -o "$bench/external.time" "$build/sorters/Pellacor" "$csv" \
  "$bench/external.csv" "${keys[@]}" /M 64 /T "$work"
/usr/bin/time -f '%e %M' -o "$bench/memory.time" "$build/sorters/sort_in_memory" "$csv" \
  "$bench/memory.csv" "${keys[@]}" /M 8192 /T "$work"
read -r external_s external_kb <"$bench/external.time"
read -r memory_s memory_kb <"$bench/memory.time"
echo "external (/M 64): ${external_s} s, peak $((external_kb / 1024)) MB"
echo "in memory (/M 8192): ${memory_s} s, peak $((memory_kb / 1024)) MB"

failures=0
if cmp -s "$bench/external.csv" "$bench/memory.csv"; then
  echo "outputs identical"
else
  echo "FAIL: the outputs differ"
  failures=$((failures + 1))
fi
if [ "$external_kb" -le $(((64 + overhead_mb) * 1024)) ]; then
  echo "peak within 64 MB + ${overhead_mb} MB"
else
  echo "FAIL: peak $((external_kb / 1024)) MB is over 64 MB + ${overhead_mb} MB"
  failures=$((failures + 1))
fi
if [ -z "$(ls -A "$work")" ]; then
  echo "work folder empty"
else
  echo "FAIL: left in the work folder: $(ls "$work" | head -5)"
  failures=$((failures + 1))
fi
rm -rf "$work" "$bench/external.csv" "$bench/memory.csv" "$bench/external.time" "$bench/memory.time"
[ "${KEEP_DATA:-0}" = 1 ] || rm -f "$csv"
[ "$failures" -eq 0 ]
