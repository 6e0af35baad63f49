#!/usr/bin/env bash
# End-to-end test of the players' keys: the real game in a virtual X server with the laptop
# layout of README.md as its keys file, and two players on slots 1 and 4, which that layout puts
# on Z, C, X and B, M, N. xdotool holds Z (slot 1 turns left) and M (slot 4 turns right) from
# before the round starts, so both lines go round in circles, which a screenshot must show; then
# ESC ends the game with exit code 0.
#   tests/e2e/keys_test.sh QUORL QUORL_CONFIG SOURCE_DIR OUT_DIR
# OUT_DIR is emptied and keeps the run folder, the logs and every screenshot.
set -euo pipefail

source "$(dirname "$0")/x_session.sh" "$@"
start_x 1280x1024

# Slow lines that turn tightly, red on slot 1 and cyan on slot 4, without gaps or pickups.
make_run_folder mode=score limit=10 speed=40 turn-rate=90 gap-interval=0 pickups=no \
  fullscreen=no background=12,12,20 slot0.enabled=no slot5.enabled=no slot1.enabled=yes \
  slot1.pattern=red.png slot4.enabled=yes slot4.pattern=cyan.png

# The keys file: the indented block after the README's line that introduces the layout.
awk '/^The laptop layout as a `keys` file/ { on = 1; next }
     on && /^    / { print substr($0, 5); next }
     on && /^$/ { print ""; next }
     on { exit }' "$source_dir/README.md" >run/keys
grep -q "^left = Z$" run/keys || fail "no laptop layout with slot 1 on Z in README.md (run/keys)"
"$quorl_config" check run/config >check.log || fail "quorl-config check refuses it (check.log)"

start_game 120
xdotool mousemove $((X + 512)) $((Y + 384))
await intro 10

# Both turn keys held before SPACE: the lines turn from their first frame. A round in which a
# line is born so near a wall that it hits it before its circle shows ends early; SPACE starts
# the next one, the keys still held.
xdotool keydown z keydown m
press space
deadline=$((SECONDS + 40))
until looks rings; do
  ((SECONDS < deadline)) || fail "no round with both lines circling within 40s: $shot (checks.log)"
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended early (game.log)"
  "$python" "$source_dir/tests/e2e/checks.py" "$shot" "$X" "$Y" over >/dev/null && press space
  sleep 0.2
done
echo "rings: $shot"
xdotool keyup z keyup m

press Escape
await_exit_zero ESC
echo "exit code 0; screenshots in $out"
