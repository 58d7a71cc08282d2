#!/usr/bin/env bash
# Builds Vellacor (Release) and starts it. Installs the Debian packages that a
# fresh machine lacks first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
exec build/shell/vellacor
