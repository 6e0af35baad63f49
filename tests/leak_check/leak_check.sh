#!/usr/bin/env bash
# Leak check: a whole headless match under valgrind memcheck, from start-up through rounds with
# pickups, steering and rockets to shutdown; any block definitely lost fails it.
#   tests/leak_check/leak_check.sh QUORL_RUNNER QUORL_CONFIG SOURCE_DIR OUT_DIR
# OUT_DIR is emptied and keeps the run folder, the match summary and valgrind's log.
set -euo pipefail

if [[ $# -ne 4 ]]; then
  echo "usage: $0 QUORL_RUNNER QUORL_CONFIG SOURCE_DIR OUT_DIR" >&2
  exit 2
fi
runner=$(realpath "$1")
quorl_config=$(realpath "$2")
source_dir=$(realpath "$3")
out=$(realpath -m "$4")
here=$(dirname "$(realpath "$0")")
if ! command -v valgrind >/dev/null; then
  echo "missing valgrind: run scripts/install-deps.sh --tests" >&2
  exit 1
fi

rm -rf "$out"
mkdir -p "$out/run"
cd "$out/run"
ln -s "$source_dir/system" system
ln -s "$source_dir/patterns" patterns
"$quorl_config" new config >/dev/null
"$quorl_config" set config mode=rounds limit=2 speed=150 pickups=yes max-pickups=20 \
  gap-interval=1 >/dev/null
# SPACE starts each round; both players steer both ways and hold fire throughout. Frames of
# 96 ms play the whole match, every scene and path of it, in about a hundred frames, each of
# which costs much under valgrind.
cat >keys.txt <<'KEYS'
1+2:space 34+2:space 67+2:space 100+2:space
0:down:up 0:down:w
0+7:left 10+7:q 20+5:right 23+5:e 40+7:left 50+7:q 60+5:right 63+5:e
KEYS
match=(--frames 150 --frame-ms 96 --script keys.txt)

# The match must really fire a rocket: without the rocket image the same match stops with 253.
mkdir -p "$out/no-rocket/system"
cp config keys.txt "$out/no-rocket/"
ln -s "$source_dir/patterns" "$out/no-rocket/patterns"
for image in "$source_dir"/system/*.png; do
  [[ $(basename "$image") == rocket.png ]] || ln -s "$image" "$out/no-rocket/system/"
done
status=0
(cd "$out/no-rocket" && "$runner" "${match[@]}" >/dev/null 2>&1) || status=$?
if [[ $status -ne 253 ]]; then
  echo "the scripted match fires no rocket (exit $status without rocket.png)" >&2
  exit 1
fi

# One rendering thread keeps llvmpipe fast enough under valgrind.
status=0
LP_NUM_THREADS=0 valgrind --keep-debuginfo=yes --leak-check=full --errors-for-leak-kinds=definite \
  --error-exitcode=1 --suppressions="$here/gl_driver.supp" --log-file="$out/valgrind.log" \
  "$runner" "${match[@]}" >"$out/summary.txt" || status=$?
cat "$out/summary.txt"
grep -A3 "LEAK SUMMARY" "$out/valgrind.log" || true
if [[ $status -ne 0 ]]; then
  echo "valgrind found errors or leaks (exit $status); see $out/valgrind.log" >&2
  exit 1
fi
if ! grep -q "match over yes" "$out/summary.txt"; then
  echo "the match did not end" >&2
  exit 1
fi
echo "no leaks"
