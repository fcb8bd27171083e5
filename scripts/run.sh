#!/usr/bin/env bash
# Builds Orvanta.exe and starts it under Wine with a Japanese locale. With no display, it runs
# the wizard on Xvfb instead, saves screenshots of both pages and the About box under
# build/windows/screenshots, prints their paths and closes the wizard.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh

WINDOWS_BUILD_DIR="$root/build/windows"
source scripts/wine_env.sh
mkdir -p build
cmake -S "$root" -B "$WINDOWS_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTA_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >"$WINDOWS_BUILD_DIR.configure.log"
ninja -C "$WINDOWS_BUILD_DIR" Orvanta orvanta_drive >"$WINDOWS_BUILD_DIR.build.log"
orvanta_wine_prefix

program="$WINDOWS_BUILD_DIR/ui/Orvanta.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$program"
fi

orvanta_display
trap '[ -n "${ORVANTA_XVFB_PID:-}" ] && kill "$ORVANTA_XVFB_PID" 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
drive() { wine "$WINDOWS_BUILD_DIR/tools/drive/orvanta_drive.exe" "$@"; }
shots="$WINDOWS_BUILD_DIR/screenshots"
mkdir -p "$shots"
shoot() { import -window root -crop "$(drive rect | tr -d '\r')" +repage "$shots/$1.png"; echo "$shots/$1.png"; }

wine "$program" &
program_pid=$!
drive wait sleep=2000
shoot csv-page
drive tab=1 sleep=800
shoot text-page
drive tab=0 about sleep=800
shoot about-box
drive close-about sleep=500 close
wait "$program_pid"
