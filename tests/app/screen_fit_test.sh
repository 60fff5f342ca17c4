#!/usr/bin/env bash
# Starts the window on a 1366 x 768 X screen, as a small laptop has it, and checks that it fits
# with a title bar and a desktop panel: at most 1366 x 740 pixels with its frame, both with a first
# start's options and with the options that write above the canvas. Exit status 77 (skipped) with a
# message where Xvfb or xwininfo is missing.
# Usage: screen_fit_test.sh PATH/TO/lumaro
set -u
program=$1
skip() { echo "skipped: $*"; exit 77; }
command -v Xvfb >/dev/null || skip "Xvfb is missing (Debian package xvfb)"
command -v xwininfo >/dev/null || skip "xwininfo is missing (Debian package x11-utils)"

config=$(mktemp -d)
display=":$((500 + RANDOM % 400))"
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
pids=($!)
# Only what this test started.
cleanup() { kill "${pids[@]}" 2>/dev/null; sleep 0.3; kill -KILL "${pids[@]}" 2>/dev/null; rm -rf "$config"; }
trap cleanup EXIT
export DISPLAY=$display XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
[ -e "/tmp/.X11-unix/X${display#:}" ] || skip "Xvfb did not start"

# The window's outer size (the frame included where a window manager adds one), once it is shown.
measure() {
  "$program" >/dev/null 2>&1 &
  local pid=$!
  local size=""
  for _ in $(seq 100); do
    size=$(xwininfo -root -tree | awk '/"Lumaro \| Tornvik"/ { for (i = 1; i <= NF; ++i) if ($i ~ /^[0-9]+x[0-9]+[+-]/) { split($i, a, /[x+-]/); print a[1], a[2]; exit } }')
    [ -n "$size" ] && break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  echo "$size"
}

status=0
check() {
  local what=$1 size
  size=$(measure)
  [ -n "$size" ] || { echo "FAIL $what: the window did not appear"; status=1; return; }
  set -- $size
  if [ "$1" -le 1366 ] && [ "$2" -le 740 ]; then
    echo "ok $what: $1 x $2"
  else
    echo "FAIL $what: $1 x $2 is larger than 1366 x 740"
    status=1
  fi
}

check "first start"
mkdir -p "$config/lumaro"
printf '[General]\nSignalnamen%%20anzeigen=true\nLampenfarben%%20beschriften=true\nBlinken%%20anhalten=true\n' \
  > "$config/lumaro/lumaro.conf"
check "with the options above the canvas"
exit "$status"
