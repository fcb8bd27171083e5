#!/usr/bin/env bash
# Builds both builds and runs every test suite; ends with one line "N passed, N failed".
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/setup.sh || { echo "0 passed, 1 failed"; exit 1; }

native_dir="$root/build/native"
export WINDOWS_BUILD_DIR="$root/build/windows"
source scripts/wine_env.sh


build_failures=0
configure_and_build() {
  local dir=$1
  shift
  if ! cmake -S "$root" -B "$dir" -G Ninja -DORVANTA_WERROR=ON "$@" >"$dir.configure.log" 2>&1; then
    cat "$dir.configure.log"
    return 1
  fi
  if ! ninja -C "$dir" >"$dir.build.log" 2>&1; then
    grep -E 'error|FAILED' -A3 "$dir.build.log" | head -60
    return 1
  fi
}

mkdir -p build

echo "== native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
configure_and_build "$native_dir" -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=ON \
  -DORVANTA_BENCHMARKS=ON || build_failures=$((build_failures + 1))

echo "== Windows build (MinGW-w64)"
configure_and_build "$WINDOWS_BUILD_DIR" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" || build_failures=$((build_failures + 1))

passed=0
failed=$build_failures

# Runs a build's ctest and adds up its gtest reports; a suite that left no report failed whole.
run_suites() {
  local dir=$1
  [ -f "$dir/CTestTestfile.cmake" ] || return
  rm -rf "$dir/test-reports"
  (cd "$dir" && ctest --output-on-failure --timeout 1200)
  local name report tests failures errors
  for name in $(cd "$dir" && ctest -N | sed -n 's/^ *Test *#[0-9]*: //p'); do
    report="$dir/test-reports/$name.xml"
    if [ ! -f "$report" ]; then
      echo "suite $name left no report"
      failed=$((failed + 1))
      continue
    fi
    tests=$(sed -n 's/.*<testsuites tests="\([0-9]*\)".*/\1/p' "$report" | head -1)
    failures=$(sed -n 's/.*<testsuites [^>]*failures="\([0-9]*\)".*/\1/p' "$report" | head -1)
    errors=$(sed -n 's/.*<testsuites [^>]*errors="\([0-9]*\)".*/\1/p' "$report" | head -1)
    failures=$((${failures:-0} + ${errors:-0}))
    passed=$((passed + ${tests:-0} - failures))
    failed=$((failed + failures))
  done
}

echo "== native tests"
run_suites "$native_dir"

echo "== Windows tests under Wine"
orvanta_wine_prefix
orvanta_display
run_suites "$WINDOWS_BUILD_DIR"

echo "== the release package, and the wizard end to end from the unpacked folder"
package_log="$root/build/package.log"
if PACKAGE_BUILD_DIR="$WINDOWS_BUILD_DIR" PACKAGE_OUTPUT_DIR="$root/build/dist" \
  bash scripts/package.sh >"$package_log" 2>&1; then
  PACKAGE_ZIP=$(tail -n 1 "$package_log") bash tests/package/package_test.sh \
    >"$WINDOWS_BUILD_DIR.package.log" 2>&1
  cat "$WINDOWS_BUILD_DIR.package.log"
  for part in e2e package; do
    summary=$(grep -E "^$part: [0-9]+ passed, [0-9]+ failed$" "$WINDOWS_BUILD_DIR.package.log" | tail -n 1)
    if [[ "$summary" =~ ^$part:\ ([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
      passed=$((passed + BASH_REMATCH[1]))
      failed=$((failed + BASH_REMATCH[2]))
    else
      echo "$part: no summary"
      failed=$((failed + 1))
    fi
  done
else
  tail -n 20 "$package_log"
  failed=$((failed + 1))
fi
[ -n "${ORVANTA_XVFB_PID:-}" ] && kill "$ORVANTA_XVFB_PID" 2>/dev/null
wineserver -k 2>/dev/null

echo "== short fuzz runs"
fuzz_output=$(bash scripts/fuzz.sh "${ORVANTA_FUZZ_SECONDS:-12}")
echo "$fuzz_output"
fuzz_summary=$(tail -n 1 <<<"$fuzz_output")
if [[ "$fuzz_summary" =~ ^fuzz:\ ([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
  passed=$((passed + BASH_REMATCH[1]))
  failed=$((failed + BASH_REMATCH[2]))
else
  failed=$((failed + 1))
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
