# Shared by the end-to-end tests, sourced with their arguments QUORL QUORL_CONFIG SOURCE_DIR
# OUT_DIR: a virtual X server, screenshots of it checked by tests/e2e/checks.py, key presses,
# and a game started in a run folder. OUT_DIR is emptied and becomes the working folder; it
# keeps the run folder, the logs and every screenshot for a person to look at.

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

fail() {
  echo "FAILED: $*" >&2
  echo "screenshots and logs: $out" >&2
  exit 1
}

for tool in Xvfb xdpyinfo xdotool import "$python"; do
  command -v "$tool" >/dev/null || fail "missing $tool: run scripts/install-deps.sh --tests"
done
"$python" -c 'import PIL' || fail "missing PIL for $python: run scripts/install-deps.sh --tests"

# The run folder: the repository's images and a new config with the given settings.
make_run_folder() {
  ln -s "$source_dir/system" run/system
  ln -s "$source_dir/patterns" run/patterns
  "$quorl_config" new --force run/config >/dev/null
  "$quorl_config" set run/config "$@" >/dev/null
}

xvfb_pid=""
game_pid=""
background_pids=()
cleanup() {
  # A child that ends as it is stopped (openbox losing its display) reports a failure to wait;
  # that must not become the test's exit code.
  set +e
  [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  for pid in "${background_pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The game says how far it got on the descriptor named by QUORL_READY_FD: "signals" once it takes
# quit signals, "frame N" after frame N (QUORL_READY_FRAME). open_ready opens a pipe for a game to
# be started next, on descriptor $ready_fd, held open for reading and writing so that reading
# waits for the game's words however late they come.
open_ready() {
  rm -f ready.fifo
  mkfifo ready.fifo
  exec {ready_fd}<>ready.fifo
  rm ready.fifo
}

# Reads the game's words until it says $1; fails after $2 seconds, which only a stuck or failed
# game takes.
await_ready() {
  local line
  while read -r -t "$2" -u "$ready_fd" line; do
    [[ "$line" == "$1" ]] && return 0
  done
  fail "the game did not say '$1' within $2 s"
}

# Starts a virtual screen of size $1 (WIDTHxHEIGHT) and exports its DISPLAY; Xvfb picks a free
# display number itself and writes it to fd 3.
start_x() {
  rm -f display.txt
  # -noreset: the server would otherwise reset when its last client (the game) goes.
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>display.txt 2>>xvfb.log &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s display.txt ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start (xvfb.log)"
    sleep 0.1
  done
  [[ -s display.txt ]] || fail "Xvfb gave no display number"
  DISPLAY=":$(head -n1 display.txt)"
  export DISPLAY
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "Xvfb does not answer on $DISPLAY (xvfb.log)"
}

stop_x() {
  kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}

# Prints the id of the first window named by the pattern $1, waiting up to $2 seconds for it;
# fails when none comes. xdotool's search ends with an X error when a window it looks at goes
# away meanwhile (a box, a window being mapped): that search is made again.
find_window() {
  local deadline=$((SECONDS + $2)) found
  while ((SECONDS < deadline)); do
    found=$(xdotool search --name "$1" 2>/dev/null | head -n1) || true
    [[ -n "$found" ]] && { echo "$found"; return 0; }
    sleep 0.1
  done
  return 1
}

# Starts the game in run/ (bounded to $1 seconds) and waits for its first frame and its
# window: sets $game_pid, $window and the window's geometry X, Y, WIDTH and HEIGHT.
start_game() {
  open_ready
  (cd run && SDL_VIDEODRIVER=x11 QUORL_READY_FD=$ready_fd QUORL_READY_FRAME=1 \
    exec timeout --preserve-status -k 5 "$1" "$quorl") >>game.log 2>&1 &
  game_pid=$!
  # After its first frame the window has its size and place and is on the screen.
  await_ready "frame 1" 30
  window=$(find_window '^Quorl$' 20) ||
    fail "no Quorl window appeared (game.log)"
  eval "$(xdotool getwindowgeometry --shell "$window")"
}

# Waits up to 10 s for the game to end, and fails unless it ended with exit code 0.
await_exit_zero() {
  for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$game_pid" 2>/dev/null && fail "the game still runs 10s after $1"
  local code=0
  wait "$game_pid" || code=$?
  game_pid=""
  [[ $code -eq 0 ]] || fail "the game exited with $code after $1 (game.log)"
}

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
  "$python" "$source_dir/tests/e2e/checks.py" "$shot" "$X" "$Y" "$1" >>checks.log
}

# Sets $pixels to the number of pixels of both lines on a fresh screenshot, and $captured to
# the moment it was taken, in milliseconds.
count_trail_pixels() {
  captured=$(($(date +%s%N) / 1000000))
  screenshot
  pixels=$("$python" "$source_dir/tests/e2e/checks.py" "$shot" "$X" "$Y" trail)
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

# SPACE starts a round. Should a line be born facing a wall and the round end before the check
# sees both lines, SPACE starts the next one.
start_round() {
  press space
  local deadline=$((SECONDS + 20))
  until looks running; do
    ((SECONDS < deadline)) || fail "no round under way within 20s: $shot (checks.log)"
    "$python" "$source_dir/tests/e2e/checks.py" "$shot" "$X" "$Y" over >/dev/null && press space
    sleep 0.1
  done
  echo "running: $shot"
}
