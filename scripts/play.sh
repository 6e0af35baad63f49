#!/usr/bin/env bash
# Builds Quorl and starts it from its run folder (the game beside config, system/, patterns/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORL_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)" --target quorl run_folder
cd build/run
exec ./quorl
