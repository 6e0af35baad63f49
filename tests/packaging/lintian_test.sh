#!/bin/sh
# lintian finds no error and no warning in the Debian package that deb_test.sh made. Every tag,
# the informational and pedantic ones too, is printed for the log.
#   lintian_test.sh DEB_DIR
set -eu
command -v lintian >/dev/null ||
    { echo "FAIL: no lintian: run scripts/install-deps.sh --tests" >&2; exit 1; }
deb=$(ls "$1"/quorl_*.deb)
tags=$(lintian --display-info --pedantic --display-experimental "$deb" 2>&1) || true
printf '%s\n' "$tags"
if printf '%s\n' "$tags" | grep -q '^[EW]: '; then
    echo "FAIL: lintian reports errors or warnings" >&2
    exit 1
fi
echo "lintian ok"
