#!/bin/sh
# The desktop entry and the AppStream metadata pass their validators, offline.
#   validate_test.sh PACKAGING_DIR
set -eu
desktop-file-validate "$1/quorl.desktop"
appstreamcli validate --no-net "$1/io.github.quorl.Quorl.metainfo.xml"
