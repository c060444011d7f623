#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS seconds (default 20), one job each. The seeds in tests/data/fuzz/
# are read, never written; what the fuzzer adds goes to build-fuzz/corpus/.
# Any crash or broken promise stops the script with a failure and leaves the
# input in build-fuzz/crashes/: add it to tests/data/fuzz/<target>/ (the test
# suite replays that folder) with a test beside the code it breaks, and fix it.
#
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]     TARGET: dbf problemfile numeric ini arrayimport rtf
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(dbf problemfile numeric ini arrayimport rtf)
jobs=$(nproc)

CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZEVA_FUZZ=ON -DZEVA_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzzers

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build-fuzz/crashes
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t"
  echo "== fuzz_$t for ${seconds}s =="
  if ! build-fuzz/bin/fuzz_"$t" "build-fuzz/corpus/$t" "tests/data/fuzz/$t" \
      -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=8192 -timeout=10 \
      -artifact_prefix="build-fuzz/crashes/$t-" -print_final_stats=1 \
      >"build-fuzz/fuzz-$t.log" 2>&1; then
    tail -n 60 "build-fuzz/fuzz-$t.log"
    echo "fuzz_$t failed; the input is in build-fuzz/crashes/" >&2
    exit 1
  fi
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "build-fuzz/fuzz-$t.log" || true
done
