#!/bin/sh
# cpack builds the Debian package into DEB_DIR, where lintian_test.sh checks it too. The
# package holds the installed files and depends on the package of every shared library its
# programs link, besides what SDL loads at run time.
#   deb_test.sh BUILD_DIR VERSION DEB_DIR
set -eu
build=$1 version=$2 deb_dir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$deb_dir"
mkdir -p "$deb_dir"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$deb_dir" >"$work/cpack.log" ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
rm -rf "$deb_dir/_CPack_Packages"
deb=$deb_dir/quorl_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"

[ "$(dpkg-deb -f "$deb" Package Version Section Maintainer)" = "Package: quorl
Version: $version
Section: games
Maintainer: Quorl developers <quorl@example.org>" ] || fail "wrong control fields"

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
for file in usr/games/quorl usr/games/quorl-config usr/games/quorl-setup usr/libexec/quorl/quorl \
    usr/share/games/quorl/config usr/share/games/quorl/system/bitmap.png \
    usr/share/games/quorl/patterns/red.png usr/share/applications/quorl.desktop \
    usr/share/metainfo/io.github.quorl.Quorl.metainfo.xml \
    usr/share/icons/hicolor/48x48/apps/quorl.png usr/share/man/man6/quorl.6.gz \
    usr/share/man/man6/quorl-config.6.gz usr/share/man/man6/quorl-setup.6.gz \
    usr/share/doc/quorl/copyright \
    usr/share/doc/quorl/changelog.gz; do
    grep -qx "\./$file" "$work/files" || fail "$file is not in the package"
done

# The package of each library a program links directly must be among the dependencies
# (alternatives count too).
depends=", $(dpkg-deb -f "$deb" Depends | sed 's/ *([^)]*)//g; s/ *| */, /g'), "
dpkg-deb -x "$deb" "$work/root"
for program in usr/games/quorl-config usr/games/quorl-setup usr/libexec/quorl/quorl; do
    needed=$(readelf -d "$work/root/$program" |
        sed -n 's/.*Shared library: \[\(.*\)\]/\1/p' | tr '\n' ' ')
    for library in $(ldd "$work/root/$program" | awk -v needed="$needed" '
        BEGIN { split(needed, names, " "); for (i in names) wanted[names[i]] = 1 }
        $1 in wanted && $3 ~ /^\// { print $3 }'); do
        package=$(dpkg -S "$(readlink -f "$library")" 2>/dev/null || dpkg -S "$library")
        package=${package%%:*}
        case "$depends" in *", $package, "*) ;; *) fail "$program needs $package" ;; esac
    done
done
for package in libgl1 libegl1 libgl1-mesa-dri; do
    case "$depends" in *", $package, "*) ;; *) fail "no dependency on $package" ;; esac
done

# The changelog's latest entry is this version; the manual pages name it.
zcat "$work/root/usr/share/doc/quorl/changelog.gz" | head -n1 | grep -q "^quorl ($version) " ||
    fail "the changelog does not start with version $version"
zcat "$work/root/usr/share/man/man6/quorl.6.gz" | grep -q "^\.TH QUORL 6 .* \"Quorl $version\"" ||
    fail "the manual page does not name version $version"
echo "package ok: $(dpkg-deb -f "$deb" Depends)"
