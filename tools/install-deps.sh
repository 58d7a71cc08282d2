#!/usr/bin/env bash
# Installs, with apt-get, the Debian 12 packages that this machine lacks:
#   install-deps.sh program   what building and running Vellacor needs
#   install-deps.sh tests     that, and what the tests and the benchmark need
set -euo pipefail
program=(
  build-essential cmake pkg-config
  qt6-base-dev libgl1-mesa-dev
  fonts-dejavu-core fonts-liberation
)
tests=(
  libgtest-dev libgmock-dev libbenchmark-dev liblapack-dev
  libopenblas-serial-dev poppler-utils locales
)
case "${1:-}" in
  program) packages=("${program[@]}") ;;
  tests) packages=("${program[@]}" "${tests[@]}") ;;
  *) echo "usage: $0 program|tests" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
