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
    printf '%s\n' bin/quorl bin/quorl-config lib/quorl/quorl share/quorl/config \
        share/applications/quorl.desktop share/metainfo/io.github.quorl.Quorl.metainfo.xml
    for size in 48 128 256; do echo "share/icons/hicolor/${size}x$size/apps/quorl.png"; done
    for image in system/*.png patterns/*.png; do echo "share/quorl/$image"; done
) | sort >"$work/expected"
(cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$work/installed"
diff "$work/expected" "$work/installed" >&2 ||
    { echo "FAIL: installed files (>) differ from the expected ones (<)" >&2; exit 1; }

for program in bin/quorl bin/quorl-config lib/quorl/quorl; do
    [ -x "$prefix/$program" ] || { echo "FAIL: $program is not executable" >&2; exit 1; }
done
cmp "$prefix/share/quorl/config" "$build/run/config"
cmp "$prefix/share/icons/hicolor/256x256/apps/quorl.png" "$source/packaging/icons/quorl-256.png"
# The launcher finds the prefix it was installed into.
"$prefix/bin/quorl" --help | grep -qF "$prefix/share/quorl" ||
    { echo "FAIL: the launcher does not find its prefix $prefix" >&2; exit 1; }
echo "install layout ok"
