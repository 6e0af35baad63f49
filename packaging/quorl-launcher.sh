#!/bin/sh
# Starts Quorl from the player's own run folder, installed as games/quorl.
#
# The game reads config, system/ and patterns/ from its working folder and writes errorlog.txt
# there, so each player gets a run folder of their own: the config is copied from the installed
# default once and is the player's from then on; system/ links to the installed images;
# patterns/ holds a link to each installed pattern beside any pattern the player adds.
set -u

me=quorl

fail() {
    echo "$me: $*" >&2
    exit 1
}

# Runs a command quietly; when it fails, says "cannot WHAT: reason" with the reason taken from
# the command's own message (the text after its last ": ").
attempt() {
    what=$1
    shift
    if ! output=$("$@" 2>&1); then
        fail "cannot $what: ${output##*: }"
    fi
}

# The data folder as the XDG base directory rules define it: a relative XDG_DATA_HOME is ignored.
case "${XDG_DATA_HOME:-}" in
/*) data_home=$XDG_DATA_HOME ;;
*)
    [ -n "${HOME:-}" ] || fail "neither XDG_DATA_HOME nor HOME is set: no place for the run folder"
    data_home=$HOME/.local/share
    ;;
esac
run_dir=$data_home/quorl

# The install prefix, found from this script's own place so that a moved prefix still works.
script=$(readlink -f -- "$0") || fail "cannot find where $0 is installed"
prefix=$(dirname -- "$(dirname -- "$script")")
shared=$prefix/share/games/quorl
game=$prefix/libexec/quorl/quorl
setup=$prefix/games/quorl-setup

case "${1:-}" in
-h | --help)
    cat <<EOF
Usage: quorl [--setup | --help]

Starts Quorl, a game for two to six players on one keyboard and game controllers. With
--setup, opens quorl-setup instead, as the desktop menu's Quorl does: a window to set up the
match (players, names, colours, keys), play it, see who won and play again.

Controllers, plugged in before or during play, steer the enabled player slots in the order
they were connected: D-pad, shoulder buttons or left stick turn, A or the right trigger fires,
Start is SPACE, Back with Start is ESC.

The game runs in your own folder $run_dir
(\$XDG_DATA_HOME/quorl, or ~/.local/share/quorl): it holds your settings in config, which
the game reads and quorl-setup and quorl-config edit, the players' own keys in keys if you
made one (in quorl-setup, or quorl-config set slot1.left=Z ...), and errorlog.txt when something
went wrong. The first start copies the default settings there. Your own line patterns go into
its patterns/ folder, beside the links to the installed ones.

Installed game files: $shared
EOF
    exit 0
    ;;
--setup) game=$setup ;;
"") ;;
*) fail "unknown argument '$1' (quorl --help tells how to use it)" ;;
esac

if [ ! -x "$game" ] || [ ! -f "$shared/config" ] || [ ! -d "$shared/system" ] ||
    [ ! -d "$shared/patterns" ]; then
    fail "the installed game files are missing from $prefix"
fi

attempt "create $run_dir" mkdir -p -- "$run_dir"
[ -w "$run_dir" ] || fail "cannot write to $run_dir: Permission denied"
cd -- "$run_dir" || fail "cannot enter $run_dir"

# The player's settings: copied once, never replaced.
if [ ! -e config ] && [ ! -L config ]; then
    attempt "create $run_dir/config" cp -- "$shared/config" config
    chmod u+w config
fi

# Link system/ to the installed images, unless the player put a real folder there.
if [ -L system ] || [ ! -e system ]; then
    attempt "create $run_dir/system" ln -sfn -- "$shared/system" system
fi

# Refresh the links to the installed patterns; the player's own files are left alone. Links that
# pointed into an installed patterns folder whose file is gone (an older version, or the folder
# share/quorl/patterns of the layout before the games one) are dropped.
attempt "create $run_dir/patterns" mkdir -p patterns
for link in patterns/*; do
    if [ -L "$link" ] && [ ! -e "$link" ]; then
        case "$(readlink -- "$link")" in
        */share/games/quorl/patterns/* | */share/quorl/patterns/*) rm -f -- "$link" ;;
        esac
    fi
done
for pattern in "$shared"/patterns/*; do
    [ -e "$pattern" ] || continue
    link=patterns/${pattern##*/}
    if [ -L "$link" ] || [ ! -e "$link" ]; then
        attempt "create $run_dir/$link" ln -sfn -- "$pattern" "$link"
    fi
done

if [ "$game" = "$setup" ]; then
    exec "$setup" --dir "$run_dir"
fi
exec "$game"
