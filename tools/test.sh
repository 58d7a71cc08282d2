#!/usr/bin/env bash
# Builds Vellacor and runs every test: a Release build, then a second build
# under AddressSanitizer and UndefinedBehaviorSanitizer. Installs the Debian
# packages that a fresh machine lacks first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh tests
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELLACOR_SANITIZE=ON -DVELLACOR_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
