#!/bin/sh
# Makes packaging/screenshot.png, the README's picture of a match: three players, turns, gaps
# and pickups, played headless by quorl-runner with scripted keys.
#   packaging/make_screenshot.sh [BUILD_DIR]      (default: build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp -r "$build/run/." "$work"
(cd "$work" && ./quorl-config set slot3.enabled=yes >/dev/null)
cat >"$work/keys" <<'KEYS'
0+2:space
# Red (arrows) starts in the middle heading up
60+30:left
150+25:right
230+40:left
# Yellow (I, P) starts low heading east
20+25:i
110+50:i
200+20:p
# Cyan (Q, E) starts low heading down and left
5+45:e
100+30:e
170+40:q
KEYS
"$build/quorl-runner" --dir "$work" --frames 330 --script "$work/keys" \
    --png packaging/screenshot.png >/dev/null
echo "wrote packaging/screenshot.png"
