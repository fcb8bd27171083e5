#!/usr/bin/env bash
# Times the native Pellacor and Trivandel against GNU sort, DuckDB and a plain copy of the input,
# all in one run on the same generated 1 GiB inputs, with the same memory and work folder, and
# checks that the peers' outputs are byte for byte ours.
#   CSV  key(2,32)                  GNU sort -t, -k2,2
#   CSV  key(3,32) key(5)attr(d;i)  GNU sort -t, -k3,3 -k5,5nr
#        (words are at most 32 bytes and cities 6, amounts plain signed integers: same meaning)
#   text key(1,10)                  GNU sort -t$'\x01' -k1.1,1.10 (no 0x01 in the records)
# GNU sort runs as LC_ALL=C sort -s -S /M --parallel=$(nproc) -T work. DuckDB gets the same
# memory, $(nproc) threads and the work folder; its sort is not stable, so it orders ties by the
# row's id (the CSV's first field is its line number) and, for text, by the whole record.
# The copy is cp to a new file in the same folder without fsync, as the sorters write theirs;
# every timed command starts after an untimed sync.
#
# Usage: scripts/sort_bench.sh [--windows] [MEMORY_MB ...]   (default 1024 64)
#   RUNS=N             timed runs of each row, interleaved across the rows (default 3)
#   SORT_BIN_DIR=DIR   time DIR/Pellacor and DIR/Trivandel (another build) instead of building
#   --windows          also time Pellacor.exe under Wine on the CSV jobs; from WINDOWS_BUILD_DIR
#                      (default build/windows, built there as Release when it has no build yet)
#   KEEP_DATA=1        keep the generated inputs for the next run
set -euo pipefail
# shellcheck source=sort_common.sh
source "$(dirname "$0")/sort_common.sh"
# shellcheck source=sort_bench_tools.sh
source "$(dirname "$0")/sort_bench_tools.sh"

windows=0
memories=()
for arg in "$@"; do
  case "$arg" in
    --windows) windows=1 ;;
    *[!0-9]* | '') echo "usage: $0 [--windows] [MEMORY_MB ...]" >&2 && exit 2 ;;
    *) memories+=("$arg") ;;
  esac
done
[ "${#memories[@]}" -gt 0 ] || memories=(1024 64)
runs="${RUNS:-3}"
cores="$(nproc)"
work="$bench/work"
jobs=(csv-word csv-city text)

build_ours() {
  if [ -n "${SORT_BIN_DIR:-}" ]; then
    sort_build sort_bench_data
    bin="$(cd "$SORT_BIN_DIR" && pwd)"
  else
    sort_build Pellacor Trivandel sort_bench_data
    bin="$build/sorters"
  fi
}

build_windows() {
  windows_dir="${WINDOWS_BUILD_DIR:-$sort_root/build/windows}"
  if [ ! -f "$windows_dir/build.ninja" ]; then
    cmake -S "$sort_root" -B "$windows_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$sort_root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  fi
  ninja -C "$windows_dir" Pellacor >/dev/null
  WINDOWS_BUILD_DIR="$windows_dir"
  source "$sort_root/scripts/wine_env.sh"
  orvanta_wine_prefix
  # A persistent server, so that no timed run pays for starting it.
  wineserver -p
  trap 'wineserver -k' EXIT
}

# The path as Wine sees it: Z:\ is /.
wine_path() {
  local path="${1//\//\\}"
  echo "Z:$path"
}

job_title() {
  case "$1" in
    csv-word) echo "CSV key(2,32)" ;;
    csv-city) echo "CSV key(3,32) key(5)attr(d;i)" ;;
    text) echo "text key(1,10)" ;;
  esac
}

job_input() {
  case "$1" in
    csv-*) echo "$csv" ;;
    text) echo "$text" ;;
  esac
}

job_rows() {
  case "$1" in
    csv-*) echo ours gnu duckdb copy "$([ "$windows" = 1 ] && echo wine)" ;;
    text) echo ours gnu duckdb copy ;;
  esac
}

# Sets ours_args to the native sorter's command line for JOB, without its options.
set_ours_args() {
  local job=$1 input=$2 output=$3
  case "$job" in
    csv-word) ours_args=("$bin/Pellacor" "$input" "$output" 'key(2,32)') ;;
    csv-city) ours_args=("$bin/Pellacor" "$input" "$output" 'key(3,32)' 'key(5)attr(d;i)') ;;
    text) ours_args=("$bin/Trivandel" "$input" "$output" 'key(1,10)') ;;
  esac
}

# shellcheck disable=SC2054 # the commas belong to the keys
set_gnu_keys() {
  case "$1" in
    csv-word) gnu_keys=(-t, -k2,2) ;;
    csv-city) gnu_keys=(-t, -k3,3 -k5,5nr) ;;
    text) gnu_keys=(-t $'\x01' -k1.1,1.10) ;;
  esac
}

# The DuckDB statement that sorts JOB's INPUT into OUTPUT, written as our sorters write it.
duckdb_copy() {
  local job=$1 input=$2 output=$3
  local columns="{'id': 'BIGINT', 'word': 'VARCHAR', 'city': 'VARCHAR', 'flag': 'VARCHAR',
    'amount': 'BIGINT', 'note': 'VARCHAR'}"
  local csv_read="read_csv('$input', header = false, delim = ',', quote = '', escape = '',
    auto_detect = false, columns = $columns)"
  # No 0x01 in the records: one column; written unquoted, since DuckDB quotes leading blanks.
  local text_read="read_csv('$input', header = false, delim = chr(1), quote = '', escape = '',
    auto_detect = false, columns = {'record': 'VARCHAR'})"
  case "$job" in
    csv-word) echo "COPY (SELECT * FROM $csv_read ORDER BY word, id)
      TO '$output' (FORMAT csv, HEADER false)" ;;
    csv-city) echo "COPY (SELECT * FROM $csv_read ORDER BY city, amount DESC, id)
      TO '$output' (FORMAT csv, HEADER false)" ;;
    # The whole record orders by its first 10 bytes first, then by the rest.
    text) echo "COPY (SELECT * FROM $text_read ORDER BY record)
      TO '$output' (FORMAT csv, HEADER false, DELIMITER chr(1), QUOTE '', ESCAPE '')" ;;
  esac
}

# run_row ROW JOB MEMORY LOG: one timed run of ROW into $bench/out.ROW.
run_row() {
  local row=$1 job=$2 memory=$3 log=$4 input output
  input=$(job_input "$job")
  output="$bench/out.$row"
  rm -f "$output"
  sync
  case "$row" in
    ours)
      set_ours_args "$job" "$input" "$output"
      bench_measure "$log" "${ours_args[@]}" /M "$memory" /T "$work" ;;
    wine)
      set_ours_args "$job" "$(wine_path "$input")" "$(wine_path "$output")"
      ours_args[0]=$(wine_path "$windows_dir/sorters/Pellacor.exe")
      bench_measure "$log" wine "${ours_args[@]}" /M "$memory" /T "$(wine_path "$work")" ;;
    gnu)
      set_gnu_keys "$job"
      bench_measure "$log" env LC_ALL=C sort -s "${gnu_keys[@]}" -S "${memory}M" \
        --parallel="$cores" -T "$work" -o "$output" "$input" ;;
    duckdb)
      bench_measure "$log" env BENCH_TOOLS="$tools" node "$sort_root/scripts/sort_bench_duckdb.cjs" \
        "SET memory_limit = '${memory}MiB'" "SET threads = $cores" \
        "SET temp_directory = '$work'" "$(duckdb_copy "$job" "$input" "$output")" ;;
    copy) bench_measure "$log" cp --reflink=never "$input" "$output" ;;
  esac
}

row_name() {
  case "$1" in
    ours) echo ours ;;
    gnu) echo "GNU sort" ;;
    duckdb) echo DuckDB ;;
    copy) echo copy ;;
    wine) echo "ours (Wine)" ;;
  esac
}

# min, median and max of the numbers on stdin.
spread() {
  sort -g | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%s %s %s\n", v[1], m, v[NR] }'
}

compare_output() {
  local row=$1
  if [ "$row" = ours ] || [ "$row" = copy ]; then
    echo "-"
  elif [ ! -f "$bench/out.ours" ]; then
    echo "n/a (ours failed)"
  elif cmp -s "$bench/out.ours" "$bench/out.$row"; then
    echo identical
  else
    echo DIFFERENT
  fi
}

ratio() {
  awk -v a="$2" -v b="$3" -v label="$1" 'BEGIN { printf "%s %.2f", label, a / b }'
}

print_header() {
  echo
  echo "/M $1 MB, $cores cores, $runs runs each (seconds; peak RSS is the largest of the runs)"
  printf '%-30s %-12s %7s %7s %7s %8s  %-18s %s\n' job row min median max "peak MB" \
    "ratio (medians)" output
}

# bench_job JOB MEMORY: RUNS interleaved rounds of every row, then the job's lines of the table.
bench_job() {
  local job=$1 memory=$2 row log s kb
  local -A seconds=() peak=() failed=() median=()
  for _ in $(seq "$runs"); do
    for row in $(job_rows "$job"); do
      log="$bench/time.$row"
      if [ -n "${failed[$row]:-}" ]; then
        continue
      fi
      if run_row "$row" "$job" "$memory" "$log"; then
        read -r s kb <"$log"
        seconds[$row]+="$s "
        [ "$kb" -le "${peak[$row]:-0}" ] || peak[$row]=$kb
      else
        failed[$row]="failed ($(bench_reason "$log"))"
      fi
    done
  done
  [ -z "$(ls -A "$work")" ] || echo "note: left in $work: $(ls -A "$work" | head -n 3 | xargs)"
  local title
  title=$(job_title "$job")
  for row in $(job_rows "$job"); do
    if [ -n "${failed[$row]:-}" ]; then
      printf '%-30s %-12s %s\n' "$title" "$(row_name "$row")" "${failed[$row]}"
    else
      read -r low mid high < <(tr ' ' '\n' <<<"${seconds[$row]}" | grep . | spread)
      median[$row]=$mid
      local ours_mid="${median[ours]:-}" vs="-"
      if [ -n "$ours_mid" ]; then
        case "$row" in
          gnu) vs=$(ratio GNU/ours "$mid" "$ours_mid") ;;
          duckdb) vs=$(ratio DuckDB/ours "$mid" "$ours_mid") ;;
          wine) vs=$(ratio wine/native "$mid" "$ours_mid") ;;
          copy) vs=$(ratio ours/copy "$ours_mid" "$mid") ;;
        esac
      fi
      printf '%-30s %-12s %7.2f %7.2f %7.2f %8d  %-18s %s\n' "$title" "$(row_name "$row")" \
        "$low" "$mid" "$high" $((peak[$row] / 1024)) "$vs" "$(compare_output "$row")"
    fi
    title=""
  done
  rm -f "$bench"/out.* "$bench"/time.*
}

bench_install_tools
bench_install_duckdb
build_ours
[ "$windows" = 0 ] || build_windows
mkdir -p "$work"
csv=$(sort_input csv 1)
text=$(sort_input text 2)

echo "inputs: $(bench_gib "$csv") GiB CSV ($(wc -l <"$csv") rows), $(bench_gib "$text") GiB text;" \
  "ours from $bin;" \
  "GNU sort $(sort --version | head -n 1 | grep -o '[0-9.]*$'), DuckDB $(bench_duckdb_version)"
for memory in "${memories[@]}"; do
  print_header "$memory"
  for job in "${jobs[@]}"; do
    bench_job "$job" "$memory"
  done
done

[ "${KEEP_DATA:-0}" = 1 ] || rm -f "$csv" "$text"
