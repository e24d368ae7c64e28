#!/usr/bin/env bash
# Starts the application on a virtual X display and saves a PNG of its window.
# Usage: scripts/screenshot.sh OUT.png   (builds the default preset first)
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUT.png" >&2; exit 2; }
out=$(realpath -m "$1")
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j 2 >/dev/null

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

export DISPLAY=$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

build/default/src/main/Vellomar >/dev/null 2>&1 &
app=$!

window=
for _ in $(seq 100); do
  # The main window is the one with a window class; Qt's helper windows share its name.
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Vellomar": \("Vellomar"/ { print $1; exit }')
  if [ -n "$window" ] && xwininfo -id "$window" | grep -q IsViewable; then break; fi
  window=
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
sleep 1 # let it finish painting
import -window "$window" "$out"
echo "screenshot: $out"
