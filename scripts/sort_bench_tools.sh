# shellcheck shell=bash
# Sourced by the sort_bench*.sh scripts: installing the peers and timing one command.
# Expects sort_root (sort_common.sh).
tools="$sort_root/build/bench-tools"

# The build tools (setup.sh) and GNU time from Debian, when missing; waits for another apt run
# to release its lock.
bench_install_tools() {
  bash "$sort_root/scripts/setup.sh"
  if [ ! -x /usr/bin/time ]; then
    echo "installing GNU time" >&2
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq time >/dev/null
  fi
}

# DuckDB's node package into build/bench-tools, when missing.
bench_install_duckdb() {
  if [ ! -f "$tools/node_modules/@duckdb/node-api/package.json" ]; then
    echo "installing @duckdb/node-api into $tools" >&2
    mkdir -p "$tools"
    [ -f "$tools/package.json" ] || echo '{ "private": true }' >"$tools/package.json"
    (cd "$tools" && npm install --no-audit --no-fund --silent @duckdb/node-api >/dev/null)
  fi
}

# The file's size in GiB, two decimals.
bench_gib() {
  awk -v bytes="$(stat -c %s "$1")" 'BEGIN { printf "%.2f", bytes / 2 ^ 30 }'
}

bench_duckdb_version() {
  node -p "require('$tools/node_modules/@duckdb/node-api/package.json').version"
}

# bench_measure LOG COMMAND...: runs COMMAND with its output discarded and its stderr in LOG.err;
# on success LOG holds "seconds peak_kb" (GNU time), on failure the status is returned.
bench_measure() {
  local log=$1
  shift
  rm -f "$log"
  /usr/bin/time -f '%e %M' -o "$log" "$@" >/dev/null 2>"$log.err"
}

# bench_reason LOG: one short line saying why the measured command failed.
bench_reason() {
  local line
  line=$(tr '\r' '\n' <"$1.err" | grep -v '^\s*$' | head -n 1 | sed 's/ (.*//' | cut -c 1-80)
  echo "${line:-exit status $(head -n 1 "$1" | grep -o '[0-9]*$')}"
}
