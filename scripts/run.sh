#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Bindwell and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No graphical session found; running Bindwell without a window (remapping still works)."
  export QT_QPA_PLATFORM=offscreen
fi
exec build/release/src/app/bindwell "$@"
