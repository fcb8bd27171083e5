#!/usr/bin/env bash
# Runs the keystroke benchmark in an optimised native build and prints its cost as a ratio to
# the bare file read measured in the same run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
dir="$root/build/bench"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCHMARKS=ON >/dev/null
ninja -C "$dir" keystroke_bench >/dev/null
cd "$dir"
./bench/keystroke_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out=keystroke.json --benchmark_out_format=json
python3 - <<'PY'
import json
runs = {b["run_name"]: b["real_time"] for b in json.load(open("keystroke.json"))["benchmarks"]
        if b.get("aggregate_name") == "median"}
print("keystroke / bare read (median): %.2f" % (runs["Keystroke"] / runs["BareRead"]))
PY
