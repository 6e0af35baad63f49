#!/usr/bin/env bash
# Builds and runs the benchmark (not part of the tests) in build-bench/, a Release build.
#   scripts/bench.sh            frame table, start-up time, allocations, trail drawing from arrays
#                               against immediate mode, then the peak memory of two six-player
#                               matches of 20000 frames played by quorl-runner: one with every
#                               round started at once, one lingering in the intro and on banners
#   scripts/bench.sh --table    only the benchmark table and its summary
#   scripts/bench.sh --match    only the two matches' peak memory
#   scripts/bench.sh --computer [ROUNDS]
#                               computer levels against each other in two-player rounds
#                               (quorl-runner, 200 rounds per pairing by default): win rates and
#                               round lengths
#   scripts/bench.sh --split    instructions per frame under callgrind, split into the game's
#                               own code, the C and C++ runtime and the GL driver (needs valgrind;
#                               takes a few minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:-all}"
case "$mode" in
  all | --table | --match | --computer | --split) ;;
  *)
    sed -n '2,15p' "$0" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh --tests
build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORL_BUILD_BENCHMARKS=ON \
  -DQUORL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target quorl_bench quorl-runner quorl-config run_folder \
  >/dev/null
bench="$PWD/$build/bench/quorl_bench"
run="$PWD/$build/run"

if [[ "$mode" == all || "$mode" == --table ]]; then
  "$bench" --benchmark_counters_tabular=true
  echo
fi

# Key events for a six-player match of $1 frames: SPACE pressed every $3 frames from frame $2,
# and every line weaving in runs of 10 to 60 frames turning left, turning right or straight.
match_keys() {
  local frames=$1 space_from=$2 space_every=$3 slot frame run turn
  local keys=(left right kp/ kp- insert pageup i p v n q e)
  RANDOM=5
  for ((frame = space_from; frame < frames; frame += space_every)); do echo "$frame+1:space"; done
  for slot in 0 1 2 3 4 5; do
    for ((frame = 0; frame < frames; frame += run)); do
      run=$((10 + RANDOM % 51)) turn=$((RANDOM % 3))
      if ((turn < 2)); then echo "$frame+$run:${keys[slot * 2 + turn]}"; fi
    done
  done
}

# Plays a match in a scratch run folder of six players whose scores never end it; prints its
# rounds and the runner's peak resident memory.
play_match() {
  local label=$1 frames=$2 space_from=$3 space_every=$4 folder rounds peak
  folder="$(mktemp -d)"
  cp "$run/config" "$folder/config"
  ln -s "$run/system" "$run/patterns" "$folder/"
  "$run/quorl-config" set "$folder/config" limit=255 swap-interval=0 slot1.enabled=yes \
    slot2.enabled=yes slot3.enabled=yes slot4.enabled=yes >/dev/null
  match_keys "$frames" "$space_from" "$space_every" >"$folder/keys.txt"
  /usr/bin/time -f %M -o "$folder/peak" "$build/quorl-runner" \
    --dir "$folder" --frames "$frames" --script "$folder/keys.txt" >"$folder/summary"
  rounds=$(awk '$1 == "round" { print $2 }' "$folder/summary")
  peak=$(tail -n 1 "$folder/peak")
  awk -v label="$label" -v frames="$frames" -v rounds="$rounds" -v peak="$peak" 'BEGIN {
    printf "%s: %d frames of 16 ms, %d rounds; peak resident memory %d KB = %.1f MB\n",
      label, frames, rounds, peak, peak / 1024 }'
  rm -rf "$folder"
}

if [[ "$mode" == all || "$mode" == --match ]]; then
  play_match "Six-player match, rounds started at once" 20000 1 30
  play_match "Six-player match, a quarter in the intro, long round-over banners" 20000 5000 1000
fi

# Two-player rounds between computer levels (or a line that never turns, "idle"), at the default
# settings with every round started at once, in matches of random seeds until $rounds rounds
# are played; the levels change sides from match to match. Prints each pairing's round wins.
pairing() {
  local first=$1 second=$2 played=0 first_wins=0 second_wins=0 frames=0 match=0 folder
  while ((played < rounds)); do
    folder="$(mktemp -d)"
    cp "$run/config" "$folder/config"
    ln -s "$run/system" "$run/patterns" "$folder/"
    local a=$first b=$second
    ((match % 2 == 1)) && a=$second b=$first
    "$run/quorl-config" set "$folder/config" limit=255 swap-interval=0 \
      "slot0.computer=${a/idle/no}" "slot5.computer=${b/idle/no}" >/dev/null
    for ((frame = 1; frame < 20000; frame += 30)); do echo "$frame+1:space"; done >"$folder/keys.txt"
    "$build/quorl-runner" --dir "$folder" --seed $((RANDOM * 32768 + RANDOM)) --frames 20000 \
      --script "$folder/keys.txt" >/dev/null
    local r wins_a wins_b
    r=$(grep -c "^survivor = " "$folder/results" || true)
    wins_a=$(grep -c "^survivor = 1$" "$folder/results" || true)
    wins_b=$(grep -c "^survivor = 6$" "$folder/results" || true)
    if ((match % 2 == 0)); then
      first_wins=$((first_wins + wins_a)) second_wins=$((second_wins + wins_b))
    else
      first_wins=$((first_wins + wins_b)) second_wins=$((second_wins + wins_a))
    fi
    played=$((played + r)) frames=$((frames + 20000)) match=$((match + 1))
    rm -rf "$folder"
  done
  awk -v a="$first" -v b="$second" -v n="$played" -v wa="$first_wins" -v wb="$second_wins" \
    -v f="$frames" 'BEGIN {
      printf "%s vs %s: %d rounds, %s wins %.1f %%, %s wins %.1f %%, draws %.1f %%, %.1f s a round\n",
        a, b, n, a, 100 * wa / n, b, 100 * wb / n, 100 * (n - wa - wb) / n, f * 0.016 / n }'
}

if [[ "$mode" == --computer ]]; then
  rounds=${2:-200}
  pairing hard normal
  pairing normal easy
  pairing hard easy
  pairing hard idle
  pairing hard hard
  pairing easy easy
fi

if [[ "$mode" == --split ]]; then
  if ! command -v valgrind >/dev/null; then
    echo "--split needs valgrind (apt-get install valgrind)" >&2
    exit 1
  fi
  out="$(mktemp -d)"
  trap 'rm -rf "$out"' EXIT
  # benchmark:frames. llvmpipe rasterises on the calling thread (LP_NUM_THREADS=0), so its work
  # lands in the collected frames; only quorlBenchFrame, the measured frame, is collected.
  printf '%-22s %12s %12s %12s %12s\n' "instructions per frame" "game code" "C/C++ runtime" \
    "GL driver" "total"
  for scene in floor:100 early_round:50 crowd/1000:10 crowd/6000:5 crowd/20000:3; do
    name=${scene%:*} frames=${scene#*:}
    echo "callgrind: $name, $frames frames ..." >&2
    LP_NUM_THREADS=0 valgrind --tool=callgrind --toggle-collect='quorlBenchFrame*' \
      --callgrind-out-file="$out/profile" "$bench" --frames "$frames" \
      --benchmark_filter="^frame/$name/" >"$out/log" 2>&1 || { cat "$out/log" >&2; exit 1; }
    # Self cost per function, summed by the object file named in brackets; JIT code has none.
    callgrind_annotate --inclusive=no --threshold=100 "$out/profile" |
      awk -v name="$name" -v frames="$frames" '
        /^ *[0-9,]+ \(/ && !/PROGRAM TOTALS/ {
          ir = $1; gsub(",", "", ir)
          if ($0 ~ /quorl_bench\]$/) game += ir
          else if ($0 ~ /\/lib(c|m|stdc\+\+|gcc_s)\.so[^\/]*\]$/) runtime += ir
          else driver += ir
        }
        END { printf "%-22s %12.0f %12.0f %12.0f %12.0f\n", name, game / frames,
              runtime / frames, driver / frames, (game + runtime + driver) / frames }'
  done
fi
