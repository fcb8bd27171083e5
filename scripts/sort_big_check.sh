#!/usr/bin/env bash
# Checks Pellacor on a big input: 5 GiB of generated CSV at /M 256 must give GNU sort's bytes
# exactly and leave its work folder empty. The progress lines it prints go to
# $bench/big-progress.log, and the check says whether the percentage ever went backwards.
#   Pellacor key(2,32) key(5)attr(d;i)  vs  LC_ALL=C sort -s -t, -k2,2 -k5,5nr -S 256M
# Usage: scripts/sort_big_check.sh   (SORT_BIN_DIR and KEEP_DATA as for sort_bench.sh)
set -euo pipefail
# shellcheck source=sort_common.sh
source "$(dirname "$0")/sort_common.sh"
# shellcheck source=sort_bench_tools.sh
source "$(dirname "$0")/sort_bench_tools.sh"
memory_mb=256
work="$bench/big-work"
progress="$bench/big-progress.log"

bench_install_tools
if [ -n "${SORT_BIN_DIR:-}" ]; then
  sort_build sort_bench_data
  bin="$(cd "$SORT_BIN_DIR" && pwd)"
else
  sort_build Pellacor sort_bench_data
  bin="$build/sorters"
fi
rm -rf "$work"
mkdir -p "$work"
csv=$(sort_input csv 3 5)

# report LABEL LOG: the timed command's seconds and peak RSS.
report() {
  local s kb
  read -r s kb <"$2"
  echo "$1: ${s} s, peak $((kb / 1024)) MB"
}

# The sorter rewrites its progress line with a carriage return: one line per shown state.
progress_lines() {
  tr '\r' '\n' <"$1" | sed 's/ *$//' | grep -v '^$' || true
}

# "yes", or "no" with the first place where the percentage fell; a fall where a new phase starts
# its own count is told apart from one within a phase.
progress_verdict() {
  grep -E '[0-9]+%$' "$1" | awk '
    { percent = $NF; sub(/%$/, "", percent); percent += 0; phase = $0; sub(/[0-9]+%$/, "", phase) }
    NR > 1 && percent < last && phase == last_phase && !within { within = previous " -> " $0 }
    NR > 1 && percent < last && phase != last_phase && !between { between = previous " -> " $0 }
    { last = percent; last_phase = phase; previous = $0 }
    END {
      if (NR == 0) print "no lines shown"
      else if (within) print "no (" within ")"
      else if (between) print "no, where a phase starts its own count (" between "); within each phase: yes"
      else print "yes"
    }'
}

failures=0
sync
if ! bench_measure "$bench/big-ours.time" "$bin/Pellacor" "$csv" "$bench/big-ours.csv" \
  'key(2,32)' 'key(5)attr(d;i)' /M "$memory_mb" /T "$work"; then
  echo "FAIL: Pellacor: $(bench_reason "$bench/big-ours.time")"
  exit 1
fi
progress_lines "$bench/big-ours.time.err" >"$progress"
report "Pellacor /M $memory_mb on $(bench_gib "$csv") GiB" "$bench/big-ours.time"
if [ -z "$(ls -A "$work")" ]; then
  echo "work folder empty"
else
  echo "FAIL: left in the work folder: $(find "$work" -mindepth 1 | head -n 5 | xargs)"
  failures=$((failures + 1))
fi

sync
bench_measure "$bench/big-gnu.time" env LC_ALL=C sort -s -t, -k2,2 -k5,5nr -S "${memory_mb}M" \
  --parallel="$(nproc)" -T "$work" -o "$bench/big-gnu.csv" "$csv"
report "GNU sort -S ${memory_mb}M" "$bench/big-gnu.time"
if cmp -s "$bench/big-ours.csv" "$bench/big-gnu.csv"; then
  echo "output identical to GNU sort's"
else
  echo "FAIL: output DIFFERENT from GNU sort's"
  failures=$((failures + 1))
fi

echo "progress: $(wc -l <"$progress") lines in $progress"
echo "progress monotonic: $(progress_verdict "$progress")"
rm -rf "$work" "$bench"/big-ours.* "$bench"/big-gnu.*
[ "${KEEP_DATA:-0}" = 1 ] || rm -f "$csv"
[ "$failures" -eq 0 ]
