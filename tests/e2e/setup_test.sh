#!/usr/bin/env bash
# End-to-end test of quorl-setup in a real X window: xdotool clicks and keys enable player 2
# (slot 1), name it, bind a key and try one that player 6 holds, give player 6 to the computer,
# Ctrl+S saves, and quorl-config show reads it back; Play brings up the game's window, where a
# match of one point is played to its end and SPACE ends the game; the setup comes back naming
# the winner; Quit ends it.
#   tests/e2e/setup_test.sh QUORL_SETUP QUORL_CONFIG SOURCE_DIR OUT_DIR
# QUORL_SETUP plays with the quorl beside it. OUT_DIR is emptied and keeps the run folder, the
# logs and every screenshot for a person to look at.
set -euo pipefail

source "$(dirname "$0")/x_session.sh" "$@"
quorl_setup=$quorl
start_x 1280x1024
# A match of one point: it ends with the first round. No gaps and no pickups, so a line that
# circles surely meets its own trail.
make_run_folder speed=100 limit=1 gap-interval=0 pickups=no

# Polls, up to $2 seconds, until the command in $1 succeeds.
until_true() {
  local deadline=$((SECONDS + $2))
  until eval "$1"; do
    ((SECONDS < deadline)) || fail "not within $2 s: $1"
    sleep 0.1
  done
}

# Takes screenshots of the setup window until check $1 passes, for up to 10 s.
await_setup() {
  until_true "X=$setup_x Y=$setup_y looks $1" 10
  echo "$1: $shot"
}

# Clicks at a place of the setup window, given in window coordinates.
click() {
  xdotool mousemove $((setup_x + $1)) $((setup_y + $2)) click 1
}

SDL_VIDEODRIVER=x11 timeout --preserve-status -k 5 150 "$quorl_setup" --dir run \
  >>setup.log 2>&1 &
setup_pid=$!
background_pids+=("$setup_pid")
setup_window=$(find_window '^Quorl Setup' 20) ||
  fail "no Quorl Setup window appeared (setup.log)"
eval "$(xdotool getwindowgeometry --shell "$setup_window")"
[[ "$WIDTH" == 1024 && "$HEIGHT" == 768 ]] || fail "setup window is ${WIDTH}x${HEIGHT}"
setup_x=$X setup_y=$Y
await_setup setup

# The places of the widgets in the window with its default settings: player 2's row, Cyan's
# Steered by, and the buttons along the top.
row2=170
click 480 358                                      # Cyan: steered by the computer, hard
xdotool key Down Down Down Return
click 67 $row2                                     # player 2 plays
click 158 $row2                                    # their name
xdotool key ctrl+a
xdotool type --delay 50 "Ada"
xdotool key Return
click 612 $row2                                    # their left key, then Z
await_setup setup-waiting
xdotool key z
click 720 $row2                                    # their right key, then Q, which Cyan has
await_setup setup-waiting
xdotool key q
await_setup setup-note                             # "Q is Cyan's left key"
xdotool key ctrl+s

# quorl-config show reads back what Save wrote; Q was refused, so the right key stays.
shown() {
  "$quorl_config" show run/config >show.txt 2>&1 &&
    grep -q "^Slot 1  *enabled" show.txt && grep -q "^  Name  *Ada$" show.txt &&
    grep -q "^  Keys  *left Z, right Keypad -, fire Keypad \*$" show.txt &&
    grep -A4 "^Slot 5" show.txt | grep -q "^  Computer  *hard$"
}
until_true shown 10
echo "saved: slot 1 enabled, named Ada, left key Z; slot 5 steered by the computer, hard"

# Play: the game's window comes up over the setup's.
# A click the window missed is given once more; while the game runs, a second click falls on
# the setup's "game is running" box and does nothing.
click 117 23
window=$(find_window '^Quorl$' 10) || {
  click 117 23
  window=$(find_window '^Quorl$' 20)
} || { screenshot; fail "Play brought up no Quorl window: $shot (setup.log)"; }
game_pid=$(xdotool getwindowpid "$window")
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 512)) $((Y + 384))
await intro 10
press space
await game 10
# Red (Left arrow) circles into its own trail while Ada goes straight into a wall and the
# computer steers Cyan: their deaths fall in different frames (lines that all circle would all
# close their circles in the same frame, and nobody would score). The round, and with it the
# match, ends; SPACE then ends the game.
xdotool keydown Left
await over 30
xdotool keyup Left
press space
until_true '! kill -0 "$game_pid" 2>/dev/null' 10
game_pid=""
until_true 'grep -q "the game ended with exit code 0" setup.log' 10
# Lines that die in the same frame can share the win.
winner='^quorl-setup: ((Red|Ada|Cyan) wins|(Red|Ada|Cyan)( and (Red|Ada|Cyan))+ share the win) with'
grep -Eq "$winner [0-9]+ points?( each)?$" setup.log || fail "the setup named no winner (setup.log)"
grep -E "$winner" setup.log
await_setup setup-result                           # the winner's line in large letters

# Quit, with nothing unsaved, ends the setup with exit code 0.
click 498 22
until_true '! kill -0 "$setup_pid" 2>/dev/null' 10
code=0
wait "$setup_pid" || code=$?
[[ $code -eq 0 ]] || fail "quorl-setup exited with $code (setup.log)"
echo "quorl-setup ended with exit code 0; screenshots in $out"
