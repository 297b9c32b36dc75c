#!/usr/bin/env bash
# Sets everything up, builds and runs every test through CTest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
ctest --test-dir "$root/build" --output-on-failure -j2
