#!/usr/bin/env bash
# End-to-end test of the real quorl program in a real X window: a virtual X server, real key
# presses through xdotool, and screenshots checked by pixel regions, from the intro through a
# round to ESC and exit code 0; then quit signals at a spread of moments, each ending the game
# with exit code 0.
#   tests/e2e/e2e_test.sh QUORL QUORL_CONFIG SOURCE_DIR OUT_DIR
# OUT_DIR is emptied and keeps the run folder, the logs and every screenshot for a person to
# look at. Needs Xvfb, xdotool, ImageMagick's import and /usr/bin/python3 with PIL
# (scripts/install-deps.sh --tests).
set -euo pipefail

if [[ $# -ne 4 ]]; then
  echo "usage: $0 QUORL QUORL_CONFIG SOURCE_DIR OUT_DIR" >&2
  exit 2
fi
quorl=$(realpath "$1")
quorl_config=$(realpath "$2")
source_dir=$(realpath "$3")
out=$(realpath -m "$4")
python=/usr/bin/python3  # Debian's, which has PIL; another python3 on PATH may not

for tool in Xvfb xdotool import "$python"; do
  if ! command -v "$tool" >/dev/null; then
    echo "missing $tool: run scripts/install-deps.sh --tests" >&2
    exit 1
  fi
done
if ! "$python" -c 'import PIL'; then
  echo "missing PIL for $python: run scripts/install-deps.sh --tests" >&2
  exit 1
fi

rm -rf "$out"
mkdir -p "$out/run"
cd "$out"

fail() {
  echo "FAILED: $*" >&2
  echo "screenshots and logs: $out" >&2
  exit 1
}

xvfb_pid=""
game_pid=""
cleanup() {
  [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The virtual screen: Xvfb picks a free display number itself and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>display.txt 2>xvfb.log &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s display.txt ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start (xvfb.log)"
  sleep 0.1
done
[[ -s display.txt ]] || fail "Xvfb gave no display number"
DISPLAY=":$(head -n1 display.txt)"
export DISPLAY

# The run folder: the repository's images and a known two-player match (slots 0 and 5).
# No gaps and no pickups, so a line that circles surely meets its own trail.
ln -s "$source_dir/system" run/system
ln -s "$source_dir/patterns" run/patterns
"$quorl_config" new --force run/config >/dev/null
"$quorl_config" set run/config mode=score limit=10 speed=100 gap-interval=0 pickups=no \
  fullscreen=no background=12,12,20 >/dev/null

# The waits below add up to less than this bound on the game's life.
(cd run && SDL_VIDEODRIVER=x11 exec timeout --preserve-status -k 5 120 "$quorl") \
  >game.log 2>&1 &
game_pid=$!

window=$(timeout 20 xdotool search --sync --name '^Quorl$' | head -n1) ||
  fail "no Quorl window appeared (game.log)"
eval "$(xdotool getwindowgeometry --shell "$window")"  # sets X, Y, WIDTH, HEIGHT
[[ "$WIDTH" == 1024 && "$HEIGHT" == 768 ]] || fail "window is ${WIDTH}x${HEIGHT}, not 1024x768"
# Without a window manager the keyboard follows the pointer.
xdotool mousemove $((X + 512)) $((Y + 384))

# The pixel checks on the window's part of a screenshot, in window coordinates, y down.
cat >checks.py <<'EOF'
import sys
from PIL import Image, ImageChops

shot, left, top, check = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
window = Image.open(shot).convert("RGB").crop((left, top, left + 1024, top + 768))

def count(box, red, green, blue):
    """Pixels of the box (x0, y0, x1, y1) whose channels lie in the inclusive (low, high) ranges."""
    bands = window.crop(box).split()
    mask = None
    for band, (low, high) in zip(bands, (red, green, blue)):
        part = band.point([255 if low <= v <= high else 0 for v in range(256)])
        mask = part if mask is None else ImageChops.darker(mask, part)
    return mask.histogram()[255]

def share(box, red, green, blue):
    return count(box, red, green, blue) / ((box[2] - box[0]) * (box[3] - box[1]))

WINDOW, ARENA, PANEL = (0, 0, 1024, 768), (0, 0, 768, 768), (768, 0, 1024, 768)
BAND, PROMPT, BOTTOM = (0, 300, 768, 468), (8, 4, 232, 44), (0, 512, 1024, 768)
white, bright_white = (201, 255), (241, 255)
grey = (73, 79)
f = {
    "prompt text": count(PROMPT, white, white, white),
    "panel grey": share(PANEL, grey, grey, grey),
    "panel text": count(PANEL, white, white, white),
    "band grey": share(BAND, grey, grey, grey),
    "band text": count(BAND, white, white, white),
    "bottom white": share(BOTTOM, bright_white, bright_white, bright_white),
    "dark": share(WINDOW, (0, 40), (0, 40), (0, 40)),
    "arena background": share(ARENA, (8, 16), (8, 16), (16, 24)),
    "red": count(ARENA, (151, 255), (0, 99), (0, 99)),
    "cyan": count(ARENA, (0, 99), (151, 255), (151, 255)),
}
ok = {
    # The intro at any moment: the prompt top left, some logo, neither arena nor score panel.
    "intro": f["prompt text"] > 150 and f["dark"] < 0.95 and f["arena background"] < 0.3
    and f["panel grey"] < 0.3,
    # The intro while its white band fills the bottom 256 rows.
    "intro-band": f["prompt text"] > 150 and f["bottom white"] > 0.98,
    # A round under way: grey panel with the board, the arena, both lines lit, no banner.
    "running": f["panel grey"] > 0.8 and f["panel text"] > 300 and f["band grey"] < 0.3
    and f["arena background"] > 0.9 and f["red"] > 20 and f["cyan"] > 20,
    # A round over: the grey banner with its text across the arena, the board beside it.
    "over": f["band grey"] > 0.7 and f["band text"] > 500 and f["panel grey"] > 0.8
    and f["panel text"] > 300,
}[check]
print(shot, check, "yes" if ok else "no:", ", ".join(f"{k} {v:.3g}" for k, v in f.items()))
sys.exit(0 if ok else 1)
EOF

shot_number=0
# Takes a screenshot of the whole screen into shot-NN.png and names it in $shot.
screenshot() {
  shot_number=$((shot_number + 1))
  shot=$(printf 'shot-%02d.png' "$shot_number")
  import -window root "$shot"
}

# Runs a check on a fresh screenshot; its verdict goes to checks.log.
looks() {
  screenshot
  "$python" checks.py "$shot" "$X" "$Y" "$1" >>checks.log
}

# Takes screenshots until the check passes or `seconds` have gone by.
await() {
  local check="$1" seconds="$2"
  local deadline=$((SECONDS + seconds))
  until looks "$check"; do
    ((SECONDS < deadline)) || fail "no '$check' screen within ${seconds}s: $shot (checks.log)"
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended early (game.log)"
    sleep 0.2
  done
  echo "$check: $shot"
}

press() {
  xdotool keydown "$1"
  sleep 0.1  # held over several frames: the game reads key state once a frame
  xdotool keyup "$1"
}

# The intro: the prompt and logos at once; the white band once the logos slide back. The band
# shows for 2 s of every 8 s cycle; the wait spans two such windows.
await intro 10
await intro-band 20

# SPACE starts round 1. Should a line be born facing a wall and the round end before the
# check sees both lines, SPACE starts the next one.
press space
deadline=$((SECONDS + 20))
until looks running; do
  ((SECONDS < deadline)) || fail "no round under way within 20s: $shot (checks.log)"
  "$python" checks.py "$shot" "$X" "$Y" over >/dev/null && press space
  sleep 0.1
done
echo "running: $shot"

# Red turns left (Left arrow) and Cyan right (E): both circle into their own trails.
xdotool keydown Left keydown e
await over 20
xdotool keyup Left keyup e

# ESC quits; the game ends with exit code 0.
press Escape
for _ in $(seq 100); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs 10s after ESC"
code=0
wait "$game_pid" || code=$?
game_pid=""
[[ $code -eq 0 ]] || fail "the game exited with $code (game.log)"
echo "exit code 0"

# Whether the main thread of process $1 blocks SIGHUP, SIGINT and SIGTERM (bits 0, 1 and 14):
# the game takes quit signals itself once it does.
blocks_quit_signals() {
  local mask
  mask=$(awk '/^SigBlk:/ { print $2 }' "/proc/$1/status" 2>/dev/null)
  [[ -n "$mask" ]] && (((16#$mask & 0x4003) == 0x4003))
}

# Quit signals at moments from start-up to two seconds in, sent once the game takes them: every
# run ends through the normal shutdown with exit code 0 within a second.
for request in TERM:0 INT:0.05 HUP:0.2 TERM:0.5 INT:1 TERM:1.5 INT:2; do
  signal=${request%%:*} delay=${request#*:}
  (cd run && SDL_VIDEODRIVER=x11 exec timeout --preserve-status -k 5 60 "$quorl") \
    >>signals.log 2>&1 &
  game_pid=$!
  child=""
  until [[ -n "$child" ]] && blocks_quit_signals "$child"; do
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before SIG$signal (signals.log)"
    child=$(awk '{ print $1 }' "/proc/$game_pid/task/$game_pid/children" 2>/dev/null)
    sleep 0.01
  done
  sleep "$delay"
  sent=$(date +%s%N)
  kill -"$signal" "$child"
  code=0
  wait "$game_pid" || code=$?
  game_pid=""
  took=$((($(date +%s%N) - sent) / 1000000))
  [[ $code -eq 0 ]] || fail "SIG$signal after ${delay}s: exit code $code (signals.log)"
  ((took < 1000)) || fail "SIG$signal after ${delay}s: the game took $took ms to end"
  echo "SIG$signal after ${delay}s: exit code 0 after $took ms"
done
echo "screenshots in $out"
