#!/bin/sh
# The desktop entry and the AppStream metadata pass their validators, offline. The metadata
# names this version's release, the licence of LICENSE, and this version's screenshot as a
# release hosts it: packaging/screenshot.png at the release's tag.
#   validate_test.sh PACKAGING_DIR VERSION
set -eu
packaging=$1 version=$2
metainfo=$packaging/io.github.quorl.Quorl.metainfo.xml
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$packaging/quorl.desktop"
# The menu's Quorl opens the setup, where a group sees each match's result and plays again; its
# action plays at once with the last settings, as quorl in a terminal does.
grep -qx "Exec=quorl --setup" "$packaging/quorl.desktop" || fail "the menu entry does not open the setup"
grep -qx "Exec=quorl" "$packaging/quorl.desktop" || fail "the menu entry has no action that plays"
appstreamcli validate --pedantic --no-net "$metainfo"

grep -q "<release version=\"$version\"" "$metainfo" || fail "no release $version in $metainfo"
grep -q "<project_license>MIT</project_license>" "$metainfo" || fail "the licence is not MIT"
head -n1 "$packaging/../LICENSE" | grep -qx "MIT License" || fail "LICENSE is not the MIT licence"
grep -q "<image [^>]*>https://[^<]*/v$version/packaging/screenshot.png</image>" "$metainfo" ||
    fail "the screenshot is not packaging/screenshot.png at the tag v$version"
[ -f "$packaging/screenshot.png" ] || fail "no packaging/screenshot.png"
echo "desktop entry and metainfo ok"
