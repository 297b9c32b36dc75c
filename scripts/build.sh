#!/usr/bin/env bash
# Configures and builds the project in build/ (two parallel jobs).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C "$root/build" -j2
