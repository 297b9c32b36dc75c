#!/usr/bin/env bash
# Builds the fuzz programs (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each in turn.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   default 60 s each, all targets
# Each run starts from the seeds (fuzz/seeds/<target>) and the regression
# files (fuzz/regressions/<target>) and grows its corpus in
# build-fuzz/corpus/<target>. A finding is written to fuzz/regressions/<target>
# (add it to the repository with a test) and the script exits non-zero.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(shapefile attributetable descriptionfile shapedump)

"$root/scripts/setup.sh"
# Only the fuzz step needs clang and its sanitizer runtimes.
fuzz_packages=(clang libclang-rt-14-dev)
missing=()
for p in "${fuzz_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi

dir="$root/build-fuzz"
extra=()
command -v ccache >/dev/null 2>&1 && extra+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSORVAN_FUZZ=ON "${extra[@]}" >/dev/null
ninja -C "$dir" -j2 "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=0
for t in "${targets[@]}"; do
  corpus="$dir/corpus/$t"
  findings="$root/fuzz/regressions/$t"
  mkdir -p "$corpus" "$findings"
  echo "== $t: $seconds s"
  if ! "$dir/fuzz/fuzz_$t" "$corpus" "$root/fuzz/seeds/$t" "$findings" \
      -max_total_time="$seconds" -rss_limit_mb=512 -timeout=5 -max_len=65536 \
      -artifact_prefix="$findings/" -print_final_stats=1 2>"$dir/fuzz-$t.log"; then
    failed=1
    echo "$t: FINDING, see $dir/fuzz-$t.log and $findings"
  fi
  grep -E "^stat::(number_of_executed_units|average_exec_per_sec)|^Done" "$dir/fuzz-$t.log" || true
done
exit $failed
