#!/usr/bin/env bash
# Installs what is missing, builds the optimised preset and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j 2

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run: no display available (neither DISPLAY nor WAYLAND_DISPLAY is set); start Vellomar from a desktop session" >&2
  exit 1
fi
exec build/default/src/main/Vellomar
