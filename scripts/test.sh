#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs every test; then builds
# the same with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test again; then builds the fuzz targets with
# clang into build-fuzz/ and runs each for 20 seconds (scripts/fuzz.sh).
# The last line counts the tests of both suite runs: passed, failed and skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# The print-queue test starts a print system of its own; here it must run.
export ZEVA_PRINT_QUEUE_REQUIRED=1

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs") | tee build/ctest.log

echo "== sanitizer build =="
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEVA_SANITIZE=ON
cmake --build build-asan -j"$jobs"
(cd build-asan && ctest --output-on-failure -j"$jobs") | tee build-asan/ctest.log

echo "== fuzzers =="
bash scripts/fuzz.sh 20

echo "tests: $(bash scripts/ctest-counts.sh build/ctest.log build-asan/ctest.log)"
