# shellcheck shell=bash
# Sourced by the sort_*.sh scripts: where the optimised native build and the 1 GiB inputs live,
# building targets there, and making an input on first use.
sort_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SORT_BUILD_DIR:-$sort_root/build/sorters-native}"
bench="${SORT_BENCH_DIR:-$build/bench}"

# sort_build TARGET...
sort_build() {
  cmake -S "$sort_root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  ninja -C "$build" "$@" >/dev/null
  mkdir -p "$bench"
}

# sort_input csv|text SEED [GIB]: the input's path, made when missing (1 GiB unless told); made
# under another name first, so that an interrupted run leaves no short input behind.
sort_input() {
  local gib="${3:-1}" path="$bench/data.$1"
  [ "$gib" = 1 ] || path="$bench/data-${gib}g.$1"
  if [ ! -f "$path" ]; then
    "$build/sorters/sort_bench_data" "$1" $((gib << 30)) "$2" "$path.part"
    mv "$path.part" "$path"
  fi
  echo "$path"
}
