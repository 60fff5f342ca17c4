#!/usr/bin/env bash
# Starts the window under Xvfb in a private D-Bus session with the accessibility bus, and reads
# its tree as a screen reader does (atspi_tree.py). Exit status 77 (skipped) with a message where
# the display, the session bus or the accessibility bus cannot start.
# Usage: atspi_test.sh PATH/TO/lumaro
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)

# Debian's Python, which has the Debian package python3-pyatspi, whatever python3 comes first.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

skip() { echo "skipped: $*"; exit 77; }
command -v Xvfb >/dev/null || skip "Xvfb is missing (Debian package xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing (Debian package dbus-daemon)"
"$python" -c "import pyatspi" 2>/dev/null || skip "pyatspi is missing (Debian package python3-pyatspi)"
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || skip "at-spi-bus-launcher is missing (Debian package at-spi2-core)"

inner() {
  set -u
  display=":$((90 + RANDOM % 400))"
  Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
  pids=($!)
  # Only what this session started; the window gets no second chance to linger.
  cleanup() { kill "${pids[@]}" 2>/dev/null; sleep 0.3; kill -KILL "${pids[@]}" 2>/dev/null; }
  trap cleanup EXIT
  export DISPLAY=$display
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
  done
  [ -e "/tmp/.X11-unix/X${display#:}" ] || { echo "skipped: Xvfb did not start"; return 77; }
  "$launcher" --launch-immediately >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
  "$program" >/dev/null 2>&1 &
  pids+=($!)
  "$python" "$here/atspi_tree.py" lumaro
  local status=$?
  cleanup
  trap - EXIT
  return "$status"
}

export -f inner
export program here launcher python
dbus-run-session -- bash -c inner
status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 1 ] || [ "$status" -eq 77 ] || skip "the session ended with status $status"
exit "$status"
