#!/bin/sh
# An install into a temporary prefix puts every file in its place and nothing else.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

(
    cd "$source"
    printf '%s\n' games/quorl games/quorl-config games/quorl-setup libexec/quorl/quorl \
        share/games/quorl/config share/applications/quorl.desktop \
        share/metainfo/io.github.quorl.Quorl.metainfo.xml \
        share/man/man6/quorl.6.gz share/man/man6/quorl-config.6.gz \
        share/man/man6/quorl-setup.6.gz share/doc/quorl/copyright \
        share/doc/quorl/changelog.gz share/lintian/overrides/quorl
    for size in 48 128 256; do echo "share/icons/hicolor/${size}x$size/apps/quorl.png"; done
    for file in system/*.png system/sounds/*.wav patterns/*.png; do echo "share/games/quorl/$file"; done
) | sort >"$work/expected"
(cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$work/installed"
diff "$work/expected" "$work/installed" >&2 ||
    { echo "FAIL: installed files (>) differ from the expected ones (<)" >&2; exit 1; }

fail() { echo "FAIL: $*" >&2; exit 1; }
for program in games/quorl games/quorl-config games/quorl-setup libexec/quorl/quorl; do
    [ -x "$prefix/$program" ] || fail "$program is not executable"
done
cmp "$prefix/share/games/quorl/config" "$build/run/config"
cmp "$prefix/share/icons/hicolor/256x256/apps/quorl.png" "$source/packaging/icons/quorl-256.png"
cmp "$prefix/share/doc/quorl/copyright" "$source/packaging/copyright"
zcat "$prefix/share/doc/quorl/changelog.gz" | cmp - "$source/packaging/changelog"
# The launcher finds the prefix it was installed into.
"$prefix/games/quorl" --help | grep -qF "$prefix/share/games/quorl" ||
    fail "the launcher does not find its prefix $prefix"
# So does quorl-config: with no config here nor in the run folder, new makes the run folder's,
# and the installed patterns count as present there.
mkdir "$work/here"
(
    cd "$work/here"
    export XDG_DATA_HOME="$work/data"
    "$prefix/games/quorl-config" new >/dev/null 2>&1 || fail "quorl-config new failed"
    cmp "$work/data/quorl/config" "$build/run/config"
    "$prefix/games/quorl-config" check >/dev/null 2>&1 ||
        fail "quorl-config does not find the installed patterns"
)
echo "install layout ok"
