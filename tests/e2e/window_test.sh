#!/usr/bin/env bash
# End-to-end test of the game's window under a window manager (openbox) and without one: resize
# and maximise change the window, not the match, and the trails are all there when it is back
# at 1024 x 768; a minimised game stands still; on a 1366 x 768 and a 2560 x 1440 screen the
# window fits, and maximised its picture is the same picture scaled; full screen covers the
# display from its top-left corner.
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

# Resize and maximise: the window takes the new size and the game goes on in it; back at
# 1024 x 768 every trail is there. A round that ends on the way (a dead line is drawn dimmer)
# measures nothing; the next round tries again.
window_size() {
  sleep 1  # give the window manager time to act on the requests
  eval "$(xdotool getwindowgeometry --shell "$window")"
}
# Waits until the window manager has put its frame around the window, and sets left, right,
# top and bottom to the frame's sides.
frame_extents() {
  local deadline=$((SECONDS + 10)) line
  until line=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null) && [[ "$line" == *=* ]]; do
    ((SECONDS < deadline)) || fail "openbox put no frame around the window: $line"
    sleep 0.1
  done
  read -r left right top bottom <<<"$(sed 's/.*= //; s/,//g' <<<"$line")"
}
# Sets x and y to the client area's place on the screen: after the window manager has moved a
# window, xdotool may count its title bar twice; xwininfo does not.
client_place() {
  read -r x y < <(xwininfo -id "$window" |
    awk '/Absolute upper-left [XY]/ { printf "%s ", $4 } END { print "" }')
}
resize_and_maximise() {
  count_trail_pixels
  local before=$pixels
  xdotool windowsize "$window" 700 500
  wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
  window_size
  [[ "$WIDTH" != 1024 || "$HEIGHT" != 768 ]] ||
    fail "resize and maximise requests left the window at 1024x768"
  local changed="${WIDTH}x${HEIGHT}"
  screenshot
  local scaled_shot=$shot
  wmctrl -i -r "$window" -b remove,maximized_vert,maximized_horz
  xdotool windowsize "$window" 1024 768
  window_size
  [[ "$WIDTH" == 1024 && "$HEIGHT" == 768 ]] || fail "the window came back as ${WIDTH}x${HEIGHT}"
  count_trail_pixels
  looks running || return 1
  echo "resize and maximise: ${changed} ($scaled_shot), back at 1024x768 with trail pixels" \
    "$before before, $pixels after ($shot)"
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

# --- A laptop screen and a large one: the window and its frame fit on the screen. On the large
# one the window opens at 1024 x 768, and maximised it shows the same picture scaled: the
# round's end, which stands still, is compared.
"$quorl_config" set run/config speed=300 >/dev/null
for screen in 1366x768 2560x1440; do
  start_x "$screen"
  start_window_manager
  start_game 60
  frame_extents
  xdotool windowactivate --sync "$window"
  client_place
  screen_width=${screen%x*} screen_height=${screen#*x}
  ((x - left >= 0 && y - top >= 0 && x + WIDTH + right <= screen_width &&
    y + HEIGHT + bottom <= screen_height)) ||
    fail "on $screen the window ${WIDTH}x${HEIGHT} at $x,$y (frame $left $right $top $bottom) is cut off"
  screenshot
  echo "on $screen: window ${WIDTH}x${HEIGHT} at $x,$y fits with its frame ($shot)"
  # The checks read a picture of 1024 x 768: on the large screen only.
  if [[ "$screen" == 2560x1440 ]]; then
    await intro 10
    press space
    await over 30
    [[ "$WIDTH" == 1024 && "$HEIGHT" == 768 ]] || fail "on $screen the window is ${WIDTH}x${HEIGHT}"
    plain=$shot plain_x=$x plain_y=$y
    wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
    window_size
    client_place
    screenshot
    "$python" "$source_dir/tests/e2e/scaled.py" "$shot" "$x" "$y" "$WIDTH" "$HEIGHT" \
      "$plain" "$plain_x" "$plain_y" ||
      fail "maximised to ${WIDTH}x${HEIGHT}, the picture differs from $plain: $shot"
    echo "maximised to ${WIDTH}x${HEIGHT}: the same picture, scaled ($shot)"
  fi
  # Closed by the window manager, as a player would with the title bar's button: the request
  # reaches the game whichever window has the keyboard.
  wmctrl -i -c "$window"
  await_exit_zero "closing the window"
  stop_x
done

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
