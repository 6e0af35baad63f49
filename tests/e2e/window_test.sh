#!/usr/bin/env bash
# End-to-end test of the game's window under a window manager (openbox) and without one: the
# window keeps its 1024 x 768 client area and the trails through resize and maximise requests,
# a minimised game stands still, and full screen covers the display from its top-left corner.
#   tests/e2e/window_test.sh QUORL QUORL_CONFIG SOURCE_DIR OUT_DIR
# OUT_DIR is emptied and keeps the run folder, the logs and every screenshot. Needs what the
# e2e test needs, and openbox, wmctrl and xprop (scripts/install-deps.sh --tests).
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

rm -rf "$out"
mkdir -p "$out/run"
cd "$out"
source "$source_dir/tests/e2e/x_session.sh"
for tool in openbox wmctrl xprop; do
  command -v "$tool" >/dev/null || fail "missing $tool: run scripts/install-deps.sh --tests"
done

# Slow lines without gaps or pickups: a round lasts long enough to resize and minimise in it.
ln -s "$source_dir/system" run/system
ln -s "$source_dir/patterns" run/patterns
"$quorl_config" new --force run/config >/dev/null
"$quorl_config" set run/config mode=score limit=10 speed=25 gap-interval=0 pickups=no \
  fullscreen=no background=12,12,20 >/dev/null

# Starts openbox and waits until it manages the screen.
start_window_manager() {
  openbox --sm-disable >>openbox.log 2>&1 &
  background_pids+=($!)
  for _ in $(seq 100); do
    wmctrl -m >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "openbox did not start (openbox.log)"
}

now_ms() {
  echo $(($(date +%s%N) / 1000000))
}

# --- A round under openbox: resize and maximise requests, then a minimise for 3 s.
start_x 1280x1024
start_window_manager
start_game 120
xdotool windowactivate --sync "$window"
await intro 10
start_round

# The window tells the window manager that its size is fixed.
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q "program specified minimum size: 1024 by 768" <<<"$hints" &&
  grep -q "program specified maximum size: 1024 by 768" <<<"$hints" ||
  fail "the window's size is not fixed: $hints"

count_trail_pixels
before=$pixels
xdotool windowsize "$window" 700 500
wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
sleep 1  # give the window manager time to act on the requests
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "$WIDTH" == 1024 && "$HEIGHT" == 768 ]] ||
  fail "after resize and maximise requests the window is ${WIDTH}x${HEIGHT}"
count_trail_pixels
after=$pixels
echo "resize and maximise: still 1024x768; trail pixels $before before, $after after ($shot)"
((after >= before)) || fail "trails were lost: $before trail pixels before, $after after ($shot)"

# Minimised for 3 s: the trails grow by the time the game was visible only. A round in which a
# line dies on the way measures nothing; the next round tries again.
minimised_for_3s() {
  # How fast the trails grow while the game runs, in pixels per second.
  local start first
  start=$(now_ms)
  count_trail_pixels
  first=$pixels
  sleep 1
  count_trail_pixels
  rate=$(((pixels - first) * 1000 / ($(now_ms) - start)))
  local from=$pixels shown_until minimised_at restored_at
  shown_until=$(now_ms)
  xdotool windowminimize --sync "$window"
  minimised_at=$(now_ms)
  sleep 3
  wmctrl -i -a "$window"
  restored_at=$(now_ms)
  await game 10  # back on screen once the game has drawn a frame again
  looks running || return 1
  count_trail_pixels
  local visible_ms=$((minimised_at - shown_until + $(now_ms) - restored_at))
  allowed=$((rate * (visible_ms + 1500) / 1000))
  grown=$((pixels - from))
  echo "minimised $((restored_at - minimised_at)) ms: trails grew by $grown pixels, at most" \
    "$allowed allowed ($rate pixels/s while shown for $visible_ms ms) ($shot)"
}
for attempt in 1 2 3 4; do
  ((attempt == 1)) || start_round
  minimised_for_3s && break
  ((attempt < 4)) || fail "no round lasted long enough to minimise in it"
done
((rate > 0)) || fail "the trails did not grow while the game was shown"
((grown <= allowed)) || fail "the lines moved while minimised: $grown trail pixels, $allowed allowed"

press Escape
await_exit_zero ESC
stop_x

# --- Full screen on a display that offers 1024 x 768, without and with a window manager.
"$quorl_config" set run/config fullscreen=yes >/dev/null
for manager in none openbox; do
  start_x 1024x768
  [[ "$manager" == openbox ]] && start_window_manager
  start_game 60
  await intro 10
  position=$(xwininfo -id "$window" | awk '/Absolute upper-left [XY]/ { printf "%s ", $4 }')
  [[ "$X,$Y $WIDTH x $HEIGHT" == "0,0 1024 x 768" && "$position" == "0 0 " ]] ||
    fail "full screen ($manager): window at $X,$Y ($position) ${WIDTH}x${HEIGHT}"
  echo "full screen, window manager $manager: covers the screen from 0,0 ($shot)"
  press Escape
  await_exit_zero ESC
  stop_x
done
echo "screenshots in $out"
