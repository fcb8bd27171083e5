#!/usr/bin/env bash
# Start-up benchmark under Wine: times Orvanta.exe from its process start to its main window
# shown with both pages in it, against a bare dialog program built the same way, the starts
# taking turns inside one Wine session. Also times the wizard's templates behind procedures that
# do nothing (what creating and painting their controls costs by itself) and a start of the bare
# program that ends at once (what the process start alone costs). Usage: startup_bench.sh [RUNS]
# (20).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
runs="${1:-20}"

WINDOWS_BUILD_DIR="$root/build/windows"
source scripts/wine_env.sh
mkdir -p build
cmake -S "$root" -B "$WINDOWS_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTA_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >"$WINDOWS_BUILD_DIR.configure.log"
ninja -C "$WINDOWS_BUILD_DIR" Orvanta startup_probe bare_dialog templates_only >"$WINDOWS_BUILD_DIR.build.log"
orvanta_wine_prefix
orvanta_display
trap '[ -n "${ORVANTA_XVFB_PID:-}" ] && kill "$ORVANTA_XVFB_PID" 2>/dev/null; true' EXIT

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
bare="$(windows_path "$WINDOWS_BUILD_DIR/tools/startup/bare_dialog.exe")"
templates="$(windows_path "$WINDOWS_BUILD_DIR/tools/startup/templates_only.exe")"
orvanta="$(windows_path "$WINDOWS_BUILD_DIR/ui/Orvanta.exe")"
# The probe runs every start, so the Wine server and its desktop stay up for all of them.
wine "$WINDOWS_BUILD_DIR/tools/startup/startup_probe.exe" "$runs" \
  bare 0 "\"$bare\"" \
  Orvanta 2 "\"$orvanta\"" \
  templates 2 "\"$templates\"" \
  no-window exit "\"$bare\" --no-window" | tr -d '\r'
