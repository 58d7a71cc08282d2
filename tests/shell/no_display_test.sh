#!/usr/bin/env bash
# Started where there is no graphical display, the program says so in one
# line, with the way to run it without one, and ends with its own exit code
# instead of an abort.
# Usage: no_display_test.sh PROGRAM
set -euo pipefail
program=$1
expected_status=69
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# A display number that nothing serves.
n=4711
while [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done

failed=0
check() {
  local what=$1
  shift
  local status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE "$@" \
    timeout 60 "$program" >"$out" 2>&1 || status=$?
  local lines
  lines=$(wc -l <"$out")
  if [ "$status" -ne "$expected_status" ] || [ "$lines" -ne 1 ] ||
     ! grep -q 'needs a graphical display' "$out" ||
     ! grep -q 'QT_QPA_PLATFORM=offscreen runs it without one' "$out"; then
    echo "$what: exit status $status, $lines lines:"
    cat "$out"
    failed=1
  else
    echo "$what: $(cat "$out") (status $status)"
  fi
}

check "no display named"
check "a display that nothing serves" DISPLAY=":$n" QT_QPA_PLATFORM=xcb
exit $failed
