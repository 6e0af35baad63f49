#!/usr/bin/env bash
# Builds and runs the benchmark (not part of the tests) in build-bench/, a Release build.
#   scripts/bench.sh            frame table, start-up time, allocations, then the peak memory
#                               of two six-player matches of 20000 frames: one steered throughout,
#                               one lingering half its frames in the intro and on round banners
#   scripts/bench.sh --table    only the frame table, start-up time and allocations
#   scripts/bench.sh --match    only the two matches' peak memory
#   scripts/bench.sh --split    instructions per frame under callgrind, split into the game's
#                               own code and the GL driver (needs valgrind; takes a few minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:-all}"
case "$mode" in
  all | --table | --match | --split) ;;
  *)
    sed -n '2,9p' "$0" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh
build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORL_BUILD_BENCHMARKS=ON \
  -DQUORL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target quorl_bench run_folder >/dev/null
bench="$PWD/$build/bench/quorl_bench"

if [[ "$mode" == all || "$mode" == --table ]]; then
  "$bench"
  echo
fi
if [[ "$mode" == all || "$mode" == --match ]]; then
  "$bench" --match 20000
  echo
  "$bench" --match-lingering 20000
fi

if [[ "$mode" == --split ]]; then
  if ! command -v valgrind >/dev/null; then
    echo "--split needs valgrind (apt-get install valgrind)" >&2
    exit 1
  fi
  out="$(mktemp -d)"
  trap 'rm -rf "$out"' EXIT
  # scenario:frames:trail elements in use. llvmpipe rasterises on the calling thread
  # (LP_NUM_THREADS=0), so its work lands in the collected frames; only quorlBenchFrame, the
  # measured frame, is collected, never set-up or warm-up frames.
  runs=("a:100:0" "b:50:4" "1000:10:6000" "c:10:18000" "6000:5:36000" "12000:4:72000"
    "d:3:120000")
  args=()
  for run in "${runs[@]}"; do
    IFS=: read -r scenario frames elements <<<"$run"
    echo "callgrind: scenario $scenario, $frames frames ..." >&2
    LP_NUM_THREADS=0 valgrind --tool=callgrind --toggle-collect='quorlBenchFrame*' \
      --callgrind-out-file="$out/$scenario.out" "$bench" --profile "$scenario" "$frames" \
      >/dev/null 2>"$out/$scenario.log" || { cat "$out/$scenario.log" >&2; exit 1; }
    label="$scenario"
    [[ "$scenario" =~ ^[0-9]+$ ]] && label="6x$scenario"
    args+=("$label:$frames:$elements:$out/$scenario.out")
  done
  # Plain system Python: the parser needs only the standard library.
  /usr/bin/python3 bench/callgrind_split.py "${args[@]}"
fi
