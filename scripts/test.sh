#!/usr/bin/env bash
# Builds Praxel with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
build=build/test
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -G Ninja -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DPRAXEL_TESTS=ON -DPRAXEL_BENCH=ON -DPRAXEL_SANITIZE=ON
fi
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
# Each fuzz harness for a few seconds over its seeds (a longer run: scripts/fuzz.sh 600).
scripts/fuzz.sh 8
