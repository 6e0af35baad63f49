#!/usr/bin/env bash
# Builds Quorl and runs every test: the normal build (with the valgrind leak check), then the
# same tests built with AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target
# for FUZZ_SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
jobs="$(nproc)"

# The benchmark is built with the tests, so that it cannot break unnoticed; it never runs here.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORL_BUILD_BENCHMARKS=ON
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUORL_SANITIZE=ON
cmake --build build-sanitize -j"$jobs"
# The GL driver keeps memory until the process ends; leak checks belong to their own test.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize -j"$jobs" --output-on-failure

# The fuzz targets, built with clang; see README.md for longer runs.
scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
