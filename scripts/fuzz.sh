#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz and runs each one for SECONDS
# (default 60) on a copy of its seed corpus in fuzz/corpus/<target>/. Fails on any crash, leak,
# sanitizer report or broken check; the input that caused it is left in build-fuzz/findings/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=(settings_fuzz config_text_fuzz image_fuzz wave_fuzz)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORL_FUZZ=ON \
  -DQUORL_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
  corpus="build-fuzz/corpus/$target"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$target"/* "$corpus"/
  echo "== $target: ${seconds} s"
  # The suppressions name DevIL's own functions, which its frames only show to a slow unwind.
  asan=""
  [[ $target == image_fuzz ]] && asan=fast_unwind_on_malloc=0
  # Each input runs at most 10 s; a decoder that crawls that long is a finding too.
  ASAN_OPTIONS="$asan" LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1 "build-fuzz/fuzz/$target" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/findings/$target-" "$corpus" 2>"build-fuzz/$target.log" || {
    tail -n 60 "build-fuzz/$target.log" >&2
    echo "$target failed; the input is in build-fuzz/findings/" >&2
    exit 1
  }
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "build-fuzz/$target.log"
done
echo "fuzz: ${#targets[@]} passed, 0 failed"
