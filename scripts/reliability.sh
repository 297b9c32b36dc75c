#!/usr/bin/env bash
# Runs the kill and fault runs over every operation that changes plot files
# or the database and prints one line per operation, e.g.
#   sync: 40 kills, 160 faults, 0 inconsistencies
# then, where the machine allows mounting, one line per operation run against
# a really full disk and a read-only farm folder.
# Exits non-zero when any operation shows an inconsistency.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" >/dev/null
log="$root/build/reliability.log"
status=0
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8 \
  "$root/build/tests/tst_reliability" >"$log" 2>&1 || status=$?
grep -oE "[a-z]+: [0-9]+ kills, [0-9]+ faults, [0-9]+ inconsistencies" "$log"
# Where mounting is allowed: a really full disk and a read-only farm folder.
grep -oE "[a-z]+: full disk and read-only farm folder, .* inconsistencies" "$log" || true
if [ "$status" -ne 0 ] || grep -qE ", [1-9][0-9]* inconsistencies" "$log"; then
  echo "inconsistencies found, see $log"
  exit 1
fi
