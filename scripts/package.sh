#!/usr/bin/env bash
# Builds the Windows programs in Release and packs the release a user unzips:
# Orvanta-<version>-win64.zip and its .sha256 file, in PACKAGE_OUTPUT_DIR (default build/dist).
# PACKAGE_BUILD_DIR names the build folder (default build/package; the test script hands over
# its own Release build of the same tree).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh >&2

build_dir="${PACKAGE_BUILD_DIR:-$root/build/package}"
output_dir="${PACKAGE_OUTPUT_DIR:-$root/build/dist}"
mkdir -p "$build_dir" "$output_dir"
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTA_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >"$build_dir.configure.log"
ninja -C "$build_dir" Orvanta Pellacor Trivandel >"$build_dir.build.log"
rm -f "$output_dir"/Orvanta-*-win64.zip "$output_dir"/Orvanta-*-win64.zip.sha256
(cd "$build_dir" && cpack -G ZIP -C Release -B "$output_dir" >"$build_dir.cpack.log")
rm -rf "$output_dir/_CPack_Packages"
ls "$output_dir"/Orvanta-*-win64.zip
