#!/usr/bin/env bash
# Builds the RTF reader's fuzz target with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# in a build folder of its own, and runs it.
#
#   fuzz/run.sh [SECONDS] [more libFuzzer options]      (60 seconds by default)
#
# The corpus starts from fuzz/seeds and the RTF files of the shared test data, and grows in
# <build>/fuzz-corpus; a crash leaves its input in <build>/ as crash-* and makes this script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=${VELMORA_FUZZ_BUILD_DIR:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_FUZZ=ON -DVELMORA_GUI=OFF -DVELMORA_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target rtf_reader_fuzz

corpus="$build/fuzz-corpus"
mkdir -p "$corpus"
cp -n fuzz/seeds/* "$corpus"/
testdata=${VELMORA_TESTDATA_DIR:-../shared/testdata}
if [ -d "$testdata" ]; then
  cp -n "$testdata"/rtf/*.rtf "$testdata"/convert/*.rtf "$corpus"/ 2>/dev/null || true
fi

exec "$build/fuzz/rtf_reader_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -dict=fuzz/rtf.dict -artifact_prefix="$build/" -print_final_stats=1 \
  "$corpus" "$@"
