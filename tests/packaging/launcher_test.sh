#!/bin/sh
# The launcher prepares the player's run folder and starts the game there. It runs from a
# stand-in prefix whose "game" only notes the folder it was started in.
#   launcher_test.sh LAUNCHER
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix shared=$work/prefix/share/games/quorl
mkdir -p "$prefix/games" "$prefix/libexec/quorl" "$shared/system" "$shared/patterns"
cp "$1" "$prefix/games/quorl"
printf '#!/bin/sh\npwd >started-in\n' >"$prefix/libexec/quorl/quorl"
printf '#!/bin/sh\necho "$(pwd) $*" >setup-started\n' >"$prefix/games/quorl-setup"
chmod +x "$prefix/games/quorl" "$prefix/libexec/quorl/quorl" "$prefix/games/quorl-setup"
echo default >"$shared/config"
echo font >"$shared/system/bitmap.png"
echo red >"$shared/patterns/red.png"
echo blue >"$shared/patterns/blue.png"

fail() { echo "FAIL: $*" >&2; exit 1; }
run=$work/data/quorl
start() { XDG_DATA_HOME=$work/data "$prefix/games/quorl" 2>"$work/err"; }

# First start: the folder is made, the default config copied, the images linked.
start || fail "first start failed: $(cat "$work/err")"
[ "$(cat "$run/started-in")" = "$(cd "$run" && pwd -P)" ] || fail "the game did not start in $run"
[ "$(cat "$run/config")" = default ] || fail "config was not copied"
[ "$(cat "$run/system/bitmap.png")" = font ] || fail "system/ is not linked"
[ -L "$run/patterns/red.png" ] || fail "patterns/ does not link the installed patterns"

# Later starts keep the player's config and patterns, add new installed patterns and drop the
# links to removed ones, also those into the folder of the layout before the games one.
echo mine >"$run/config"
echo own >"$run/patterns/own.png"
echo green >"$shared/patterns/green.png"
rm "$shared/patterns/blue.png"
ln -s /usr/share/quorl/patterns/gone.png "$run/patterns/gone.png"
start || fail "second start failed: $(cat "$work/err")"
[ "$(cat "$run/config")" = mine ] || fail "the player's config was overwritten"
[ "$(cat "$run/patterns/own.png")" = own ] || fail "the player's pattern was touched"
[ "$(cat "$run/patterns/green.png")" = green ] || fail "a new pattern was not linked"
[ ! -L "$run/patterns/blue.png" ] || fail "the link to a removed pattern stayed"
[ ! -L "$run/patterns/gone.png" ] || fail "the link into the old layout stayed"

# A data home that cannot hold a folder (a file; root ignores permissions) is a clear error.
: >"$work/file"
if XDG_DATA_HOME=$work/file "$prefix/games/quorl" 2>"$work/err"; then fail "started without a folder"; fi
grep -q "^quorl: cannot create $work/file/quorl: " "$work/err" || fail "unclear error: $(cat "$work/err")"

# --setup prepares the same folder and opens the setup on it.
rm "$run/config"
XDG_DATA_HOME=$work/data "$prefix/games/quorl" --setup 2>"$work/err" ||
    fail "--setup failed: $(cat "$work/err")"
real_run=$(cd "$run" && pwd -P)
[ "$(cat "$run/setup-started")" = "$real_run --dir $run" ] ||
    fail "the setup did not start on $run: $(cat "$run/setup-started")"
[ "$(cat "$run/config")" = default ] || fail "config was not copied for the setup"

XDG_DATA_HOME=$work/data "$prefix/games/quorl" --help | grep -qF "$run" ||
    fail "--help does not name the run folder"
echo "launcher ok"
