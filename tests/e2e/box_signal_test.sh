#!/usr/bin/env bash
# A quit signal while one of the game's message boxes waits for a click ends the game at once:
# with 254 for the start-up error box (whose text is already in errorlog.txt), 253 for
# a run-time error box, and 0 for the full-screen question, each with SIGTERM, SIGINT and SIGHUP.
#   tests/e2e/box_signal_test.sh QUORL QUORL_CONFIG SOURCE_DIR OUT_DIR
set -euo pipefail

source "$(dirname "$0")/x_session.sh" "$@"
# A screen without a 1024 x 768 mode, so that full screen makes the game ask.
start_x 1280x1024

# The game's images, but no pickup image: the first frame of a round with pickups fails.
mkdir -p images
cp -r "$source_dir/system" images/system
rm images/system/r.png

# Makes run/ hold what a kind of box needs.
prepare() {
  rm -rf run
  mkdir run
  ln -s "$source_dir/patterns" run/patterns
  case "$1" in
    startup) ln -s "$source_dir/system" run/system ;;  # and no config
    runtime)
      ln -s "$out/images/system" run/system
      "$quorl_config" new --force run/config >/dev/null
      "$quorl_config" set run/config pickups=yes fullscreen=no >/dev/null
      ;;
    question)
      ln -s "$source_dir/system" run/system
      "$quorl_config" new --force run/config >/dev/null
      "$quorl_config" set run/config fullscreen=yes >/dev/null
      ;;
  esac
}

# Whether a window captioned $1 is on the screen. SDL names its boxes in UTF-8 only, which
# xdotool's search does not read.
box_shown() {
  # Without -q: grep reads all, so xwininfo never fails on a closed pipe (pipefail).
  xwininfo -root -tree | grep -F "\"$1\": (" >/dev/null
}

# Brings up the kind of box, waiting on its window by caption.
show_box() {
  caption="An exception occured:" driver=()
  # The question comes only from a driver that draws only into the window: Mesa hides the
  # framebuffer objects from the game.
  [[ "$1" == question ]] &&
    caption="Use windowes mode?" driver=(MESA_EXTENSION_OVERRIDE=-GL_EXT_framebuffer_object)
  (cd run && exec env "${driver[@]}" SDL_VIDEODRIVER=x11 "$quorl") >>boxes.log 2>&1 &
  game_pid=$!
  if [[ "$1" == runtime ]]; then
    window=$(find_window '^Quorl$' 20) ||
      fail "no Quorl window appeared (boxes.log)"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # Without a window manager the keyboard follows the pointer. Once the intro is drawn the
    # game reads keys; SPACE starts a round, whose first frame needs the pickup image.
    xdotool mousemove $((X + 512)) $((Y + 384))
    await intro 10
    press space
  fi
  for _ in $(seq 200); do
    box_shown "$caption" && return 0
    sleep 0.1
  done
  fail "$1: no box '$caption' appeared (boxes.log)"
}

for run in startup:TERM:254 startup:INT:254 startup:HUP:254 \
  runtime:TERM:253 runtime:INT:253 runtime:HUP:253 \
  question:TERM:0 question:INT:0 question:HUP:0; do
  IFS=: read -r kind signal expected <<<"$run"
  prepare "$kind"
  show_box "$kind"
  sent=$(date +%s%N)
  kill -"$signal" "$game_pid"
  # A game that does not end is ended by the test's own bound and fails it.
  code=0
  wait "$game_pid" || code=$?
  game_pid=""
  took=$((($(date +%s%N) - sent) / 1000000))
  [[ $code -eq $expected ]] || fail "$kind box, SIG$signal: exit code $code, not $expected"
  # The box goes with the game: SDL shows it from a child process of its own, which the kernel
  # ends when the game ends; its window closes when the X server notices.
  for _ in $(seq 100); do
    box_shown "$caption" || break
    sleep 0.1
  done
  box_shown "$caption" && fail "$kind box, SIG$signal: the box outlived the game"
  if [[ "$kind" == startup ]]; then
    grep -q "Couldn't open config-file" run/errorlog.txt || fail "errorlog.txt lacks the error"
  fi
  echo "$kind box, SIG$signal: exit code $code after $took ms"
done
