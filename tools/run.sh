#!/usr/bin/env bash
# Builds the program alone (Release, in build-program/, apart from the test
# builds) and starts it. Installs the Debian packages that building and
# running it need and that a fresh machine lacks first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh program
cmake -S . -B build-program -DCMAKE_BUILD_TYPE=Release -DVELLACOR_TESTS=OFF -DVELLACOR_BENCH=OFF
cmake --build build-program -j "$(nproc)" --target vellacor
exec build-program/shell/vellacor
