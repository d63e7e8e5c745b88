#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: a short fuzzing run of the RTF
# reader and the engine, the engine, RTF and converter tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the full suite (GUI tests under Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BUILD_DIR:-build}
jobs=$(nproc)

echo "== fuzzing (short runs)"
fuzz_seconds=${VELMORA_FUZZ_SECONDS:-20}
VELMORA_FUZZ_BUILD_DIR=${build}-fuzz bash fuzz/run.sh "$fuzz_seconds"
cmake --build "${build}-fuzz" -j "$jobs" --target convert_fuzz
mkdir -p "${build}-fuzz/convert-corpus"
"${build}-fuzz/fuzz/convert_fuzz" -max_total_time="$fuzz_seconds" -max_len=2048 -len_control=0 -timeout=10 \
  -artifact_prefix="${build}-fuzz/" "${build}-fuzz/convert-corpus"

echo "== sanitizers"
cmake -S . -B "${build}-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_WERROR=ON \
  -DVELMORA_SANITIZE=ON -DVELMORA_GUI=OFF -DVELMORA_BENCH=OFF > /dev/null
cmake --build "${build}-asan" -j "$jobs"
ctest --test-dir "${build}-asan" --output-on-failure -j "$jobs"

echo "== everything"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON > /dev/null
cmake --build "$build" -j "$jobs"
# -noreset: a GUI test that starts just as the last one ends must not meet a server resetting.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir "$build" --output-on-failure -j "$jobs"

echo "== the Debian package"
bash scripts/check-package.sh "$build"
