#!/usr/bin/env bash
# Rewrites the screenshot tests' reference images (tests/data/screenshots/*.png) from the current
# game, after an intended visual change. Look at the new images before committing them.
#   scripts/update-screenshots.sh              every scenario
#   scripts/update-screenshots.sh gap rocket   only these (tests/screenshots/NAME.scenario)
# BUILD_DIR picks the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
scripts/install-deps.sh --tests
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target quorl_screenshot_tests

filter="*"
if [[ $# -gt 0 ]]; then
  filter=""
  for name in "$@"; do filter+="*/${name}:"; done
fi
QUORL_UPDATE_SCREENSHOTS=1 "$build/tests/screenshots/quorl_screenshot_tests" --gtest_filter="$filter"
