#!/usr/bin/env bash
# End-to-end test of the real quorl program in a real X window: a virtual X server, real key
# presses through xdotool, and screenshots checked by pixel regions, from the intro through a
# round to ESC and exit code 0; then quit signals at a spread of moments the game reports
# reaching, each ending the game with exit code 0.
#   tests/e2e/e2e_test.sh QUORL QUORL_CONFIG SOURCE_DIR OUT_DIR
# OUT_DIR is emptied and keeps the run folder, the logs and every screenshot for a person to
# look at. Needs Xvfb, xdotool, ImageMagick's import and /usr/bin/python3 with PIL
# (scripts/install-deps.sh --tests).
set -euo pipefail

source "$(dirname "$0")/x_session.sh" "$@"
start_x 1280x1024

# The run folder: the repository's images and a known two-player match (slots 0 and 5).
# No gaps and no pickups, so a line that circles surely meets its own trail.
make_run_folder mode=score limit=10 speed=100 gap-interval=0 pickups=no fullscreen=no \
  background=12,12,20

# The waits below add up to less than this bound on the game's life.
start_game 120
[[ "$WIDTH" == 1024 && "$HEIGHT" == 768 ]] || fail "window is ${WIDTH}x${HEIGHT}, not 1024x768"
# Without a window manager the keyboard follows the pointer.
xdotool mousemove $((X + 512)) $((Y + 384))

# The intro: the prompt and logos at once; the white band once the logos slide back. The band
# shows for 2 s of every 8 s cycle; the wait spans two such windows.
await intro 10
await intro-band 20

start_round

# Red turns left (Left arrow) and Cyan right (E): both circle into their own trails.
xdotool keydown Left keydown e
await over 20
xdotool keyup Left keyup e

# ESC quits; the game ends with exit code 0.
press Escape
await_exit_zero ESC
echo "exit code 0"

# Quit signals at moments from start-up to two seconds in (120 frames at 60 frames a second),
# each sent once the game says it reached that moment: every run ends through the normal
# shutdown with exit code 0.
for request in TERM:0 INT:3 HUP:12 TERM:30 INT:60 TERM:90 INT:120; do
  signal=${request%%:*} frame=${request#*:}
  open_ready
  (cd run && SDL_VIDEODRIVER=x11 QUORL_READY_FD=$ready_fd QUORL_READY_FRAME=$frame \
    exec "$quorl") >>signals.log 2>&1 &
  game_pid=$!
  if ((frame == 0)); then await_ready signals 60; else await_ready "frame $frame" 60; fi
  sent=$(date +%s%N)
  kill -"$signal" "$game_pid"
  code=0
  wait "$game_pid" || code=$?
  game_pid=""
  exec {ready_fd}<&-
  took=$((($(date +%s%N) - sent) / 1000000))
  [[ $code -eq 0 ]] || fail "SIG$signal at frame $frame: exit code $code (signals.log)"
  echo "SIG$signal at frame $frame: exit code 0 after $took ms"
done
echo "screenshots in $out"
