#!/usr/bin/env bash
# Configures and builds the project (two parallel jobs).
#   scripts/build.sh              release build with debug information in build/
#   scripts/build.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-sanitize/
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build"
extra=()
if [ "${1:-}" = "--sanitize" ]; then
  dir="$root/build-sanitize"
  flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  extra=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=$flags"
         "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined")
else
  extra=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
# A compiler cache speeds up rebuilds where one is installed; it is optional.
if command -v ccache >/dev/null 2>&1; then
  extra+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$dir" -G Ninja "${extra[@]}"
ninja -C "$dir" -j2
