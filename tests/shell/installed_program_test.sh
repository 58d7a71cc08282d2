#!/usr/bin/env bash
# Installs the program into fresh prefixes with `cmake --install` and starts
# the installed executable on the offscreen platform: folders and program
# 755 and pictures 644 whatever the umask; the program finds its pictures
# beside it, takes no option of Qt's from its command line, comes up and
# stays up until it is told to quit, also without its pictures, and looks
# nowhere in the build tree for them.
# Usage: installed_program_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
top=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill -TERM "$pid" 2>/dev/null || true; fi
  rm -rf "$top"
}
trap cleanup EXIT

fail() {
  echo "$@"
  exit 1
}

# The prefix does not exist yet: the install makes it.
for mask in 000 077; do
  prefix=$top/umask$mask/prefix
  (umask "$mask" && "$cmake" --install "$build" --prefix "$prefix" >/dev/null)
  for f in bin/vellacor bin/resources/Vellacor.png bin/resources/VovUderod.png; do
    [ -f "$prefix/$f" ] || fail "not installed: $f"
  done
  for entry in ".:755" "bin:755" "bin/resources:755" "bin/vellacor:755" \
               "bin/resources/Vellacor.png:644" "bin/resources/VovUderod.png:644"; do
    path=${entry%:*}
    want=${entry##*:}
    got=$(stat -c %a "$prefix/$path")
    [ "$got" = "$want" ] || fail "under umask $mask, $path is $got, not $want"
  done
done
echo "folders and program 755, pictures 644, under umask 000 and 077"

# No absolute path into the build tree's pictures is compiled in.
if grep -qF "$(cd "$build" && pwd)/resources" "$prefix/bin/vellacor"; then
  fail "the installed program names the build tree's resources folder"
fi

# Started from elsewhere, with Qt's own options and one of nobody's: none
# of them may reach Qt (-platform alone would end it at once).
start() {
  cd "$prefix"
  QT_QPA_PLATFORM=offscreen "$prefix/bin/vellacor" -platform nosuchplatform -style nosuchstyle \
    -reverse --no-such-option >"$top/output.txt" 2>&1 &
  pid=$!
  sleep 3
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && status=0 || status=$?
    pid=
    echo "the installed program ($1) ended by itself, status $status:"
    cat "$top/output.txt"
    exit 1
  fi
  kill -TERM "$pid"
  wait "$pid" || true
  pid=
}

start "with its pictures"
rm -r "$prefix/bin/resources"
start "without its pictures"
echo "the installed program stayed up until told to quit, with and without its pictures"
