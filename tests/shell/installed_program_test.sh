#!/usr/bin/env bash
# Installs the program into a fresh prefix with `cmake --install` and starts
# the installed executable on the offscreen platform: it must find its
# pictures beside it, come up and stay up until it is told to quit.
# Usage: installed_program_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
prefix=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill -TERM "$pid" 2>/dev/null || true; fi
  rm -rf "$prefix"
}
trap cleanup EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
for f in bin/vellacor bin/resources/Vellacor.png bin/resources/VovUderod.png; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done

# Started from elsewhere, with arguments it does not read.
cd "$prefix"
QT_QPA_PLATFORM=offscreen "$prefix/bin/vellacor" --no-such-option >"$prefix/output.txt" 2>&1 &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid" && status=0 || status=$?
  pid=
  echo "the installed program ended by itself, status $status:"
  cat "$prefix/output.txt"
  exit 1
fi
kill -TERM "$pid"
wait "$pid" || true
pid=
echo "the installed program stayed up until told to quit"
