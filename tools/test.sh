#!/usr/bin/env bash
# Sets up, builds and runs every test: once as a normal build (which also builds the Debian
# package and checks it unpacked), then the fuzz targets for a short
# bounded time, then every test again with AddressSanitizer and UndefinedBehaviorSanitizer, where
# each window's random-input test runs for 60 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# Every reader of outside bytes under libFuzzer, 30 seconds each.
bash tools/fuzz.sh 30

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DBWICK_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 BWICK_RANDOM_SECONDS=60 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
