#!/usr/bin/env bash
# Builds Vellacor (Release) and starts it. Installs the Debian packages that a
# fresh machine lacks first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
if [ -x build/shell/vellacor ]; then
  exec build/shell/vellacor
else
  echo "Built. The program itself is not part of this build yet." >&2
fi
