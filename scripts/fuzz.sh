#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time, from its committed
# seeds. Usage: scripts/fuzz.sh [seconds per target] [target ...]
# Prints one line per target and "N passed, N failed"; any crash fails.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds=${1:-60}
shift || true
dir="${ORVANTA_FUZZ_DIR:-$root/build/fuzz}"

if ! CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DORVANTA_FUZZ=ON -DORVANTA_SANITIZE=ON -DORVANTA_WERROR=ON >"$dir.configure.log" 2>&1 ||
   ! ninja -C "$dir" >"$dir.build.log" 2>&1; then
  cat "$dir.configure.log" "$dir.build.log" 2>/dev/null | grep -E 'error|Error' -A3 | head -40
  echo "fuzz: 0 passed, 1 failed"
  exit 1
fi

targets=("$@")
if ((${#targets[@]} == 0)); then
  for seeds in "$root"/fuzz/corpus/*/; do
    targets+=("$(basename "$seeds")")
  done
fi

passed=0
failed=0
for target in "${targets[@]}"; do
  corpus="$dir/corpus/$target"
  mkdir -p "$corpus" "$dir/crashes/$target"
  log="$dir/$target.log"
  if "$dir/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$dir/crashes/$target/" "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ${runs:-?} runs, no crash"
    passed=$((passed + 1))
  else
    echo "fuzz $target: FAILED (artifacts in $dir/crashes/$target)"
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -5
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
