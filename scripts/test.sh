#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test (GUI tests under Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON
cmake --build "$build" -j "$(nproc)"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
