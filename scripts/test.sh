#!/usr/bin/env bash
# Sets everything up, builds and runs every test through CTest.
#   scripts/test.sh              the normal build
#   scripts/test.sh --sanitize   the same suite built with AddressSanitizer and
#                                UndefinedBehaviorSanitizer; any finding fails it
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
if [ "${1:-}" = "--sanitize" ]; then
  "$root/scripts/build.sh" --sanitize
  # Leak reports are left out: Qt's platform plugins and fontconfig keep
  # process-lifetime allocations that are not faults of this program.
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  ctest --test-dir "$root/build-sanitize" --output-on-failure -j2
else
  "$root/scripts/build.sh"
  ctest --test-dir "$root/build" --output-on-failure -j2
fi
