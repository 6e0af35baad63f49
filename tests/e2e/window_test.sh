#!/usr/bin/env bash
# End-to-end test of the game's window under a window manager (openbox) and without one: the
# window keeps its 1024 x 768 client area and the trails through resize and maximise requests,
# a minimised game stands still, and full screen covers the display from its top-left corner.
#   tests/e2e/window_test.sh QUORL QUORL_CONFIG SOURCE_DIR OUT_DIR
# OUT_DIR is emptied and keeps the run folder, the logs and every screenshot. Needs what the
# e2e test needs, and openbox, wmctrl, xprop and xwininfo (scripts/install-deps.sh --tests).
set -euo pipefail

source "$(dirname "$0")/x_session.sh" "$@"
for tool in openbox wmctrl xprop; do
  command -v "$tool" >/dev/null || fail "missing $tool: run scripts/install-deps.sh --tests"
done

# Slow lines without gaps or pickups: a round lasts long enough to resize and minimise in it.
make_run_folder mode=score limit=10 speed=25 gap-interval=0 pickups=no fullscreen=no \
  background=12,12,20

# Starts openbox and waits until it manages the screen; tries again should it end on its way.
start_window_manager() {
  for _ in 1 2 3; do
    openbox --sm-disable >>openbox.log 2>&1 &
    local pid=$!
    background_pids+=("$pid")
    for _ in $(seq 100); do
      wmctrl -m >/dev/null 2>&1 && return 0
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
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

# Resize and maximise requests: the window stays 1024 x 768 and keeps its trails. A round that
# ends on the way (a dead line is drawn dimmer) measures nothing; the next round tries again.
resize_and_maximise() {
  count_trail_pixels
  local before=$pixels
  xdotool windowsize "$window" 700 500
  wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
  sleep 1  # give the window manager time to act on the requests
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [[ "$WIDTH" == 1024 && "$HEIGHT" == 768 ]] ||
    fail "after resize and maximise requests the window is ${WIDTH}x${HEIGHT}"
  count_trail_pixels
  looks running || return 1
  echo "resize and maximise: still 1024x768; trail pixels $before before, $pixels after ($shot)"
  ((pixels >= before)) || fail "trails were lost: $before trail pixels before, $pixels after"
}

# Minimised for 3 s: the trails grow by the time the game was visible only. A round in which a
# line dies on the way measures nothing; the next round tries again.
minimised_for_3s() {
  # How fast the trails grow while the game runs, in pixels per second.
  count_trail_pixels
  local first=$pixels since=$captured
  sleep 2
  count_trail_pixels
  rate=$(((pixels - first) * 1000 / (captured - since)))
  local from=$pixels from_at=$captured minimised_at restored_at
  xdotool windowminimize --sync "$window"
  minimised_at=$(now_ms)
  sleep 3
  wmctrl -i -a "$window"
  restored_at=$(now_ms)
  await game 10  # back on screen once the game has drawn a frame again
  looks running || return 1
  count_trail_pixels
  # The game ran from the first count to the minimise and from the restore to the last count.
  local visible_ms=$((minimised_at - from_at + captured - restored_at))
  allowed=$((rate * (visible_ms + 1500) / 1000))
  grown=$((pixels - from))
  echo "minimised $((restored_at - minimised_at)) ms: trails grew by $grown pixels, at most" \
    "$allowed allowed ($rate pixels/s while shown for $visible_ms ms) ($shot)"
}
# Each in a round of its own, tried again in the next round should a line die on the way.
for step in resize_and_maximise minimised_for_3s; do
  for attempt in 1 2 3 4 5; do
    "$step" && break
    ((attempt < 5)) || fail "no round lasted long enough for $step"
    start_round
  done
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
